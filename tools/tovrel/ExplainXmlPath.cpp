#include "ExplainXmlPath.h"

#include <stdexcept>

#include "HostArguments.h"
#include "Tovrel.h"
#include "platform/Platform.h"
#include "reasons/DocumentReasons.h"
#include "reasons/PathWalk.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {

std::string ExplainXmlPath(const Arguments& arguments) {
  const bool read = arguments[0] == "xml-get";
  if (arguments.size() != (read ? 3u : 4u)) {
    throw std::invalid_argument(read ? "usage: tovrel explain xml-get FILE PATH"
                                     : "usage: tovrel explain xml-add FILE PATH VALUE");
  }
  const std::string& file = arguments[1];
  const Platform platform = MakePlatform();
  const LoadedDocument loaded = LoadOrExplain({*platform.xml, *platform.files}, HostToWide(file));
  if (loaded.reason) {
    return "the file cannot be loaded: " + TerminalText(loaded.reason->text) + "\nanswer " +
           arguments[0] + ": " + (read ? "Empty" : "0");
  }
  const std::unique_ptr<XmlDocument>& document = loaded.document;
  const PathWalk walk = read ? WalkForRead(*document->DocumentElement(), HostToWide(arguments[2]))
                             : WalkForWrite(*document->DocumentElement(), HostToWide(arguments[2]),
                                            HostToWide(arguments[3]));
  std::string out;
  for (const std::string& step : walk.steps) out += step + "\n";
  // A read can ask the library itself; a write would change the file.
  if (read) {
    return out + "answer xml-get: " + Text(XMLGetNode(file.c_str(), arguments[2].c_str()));
  }
  return out + "answer xml-add: " + (walk.failure.empty() ? "1, once the file is saved" : "0");
}

}  // namespace tovrel::tool
