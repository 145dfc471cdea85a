#include <stdexcept>

#include "Commands.h"
#include "HeardCalls.h"
#include "HostArguments.h"
#include "Tovrel.h"
#include "UnifiedDiff.h"
#include "platform/Platform.h"
#include "reasons/DocumentReasons.h"
#include "reasons/FileReasons.h"
#include "reasons/PathWalk.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {
namespace {

constexpr char kDryRun[] = "--dry-run";

Outcome XmlGet(const Arguments& a) {
  std::string text = Text(XMLGetNode(a[0].c_str(), a[1].c_str()));
  // An element may hold the text "Empty" itself: then the library gives no reason.
  const bool found = text != "Empty" || LastCall().reasons.empty();
  return Judged(std::move(text), found);
}

// What the write would make of the file, as a unified diff, writing nothing.
Outcome DryRun(const std::string& file, const std::string& path, const std::string& value) {
  const Platform platform = MakePlatform();
  const SettingsServices services{*platform.xml, *platform.files};
  const WideText wide_file = HostToWide(file);
  const LoadedDocument loaded = LoadOrExplain(services, wide_file);
  if (loaded.reason) return {"", kUnusable, TerminalText(loaded.reason->text)};
  XmlDocument& document = *loaded.document;
  // The bytes the document was loaded from, which an unchanged document writes as they are: the
  // file is not opened a second time.
  std::string before;
  if (!document.Write([&](std::string_view piece) {
        before += piece;
        return true;
      })) {
    throw std::runtime_error(Quoted(file) + " could not be loaded");
  }
  const PathWalk walk =
      WalkForWrite(*document.DocumentElement(), HostToWide(path), HostToWide(value));
  if (!walk.failure.empty()) return {"", kNegative, walk.failure};
  if (auto why = UnwritableFileReason(*platform.files, wide_file)) {
    return {"", kUnusable, TerminalText(why->text)};
  }
  std::string after;
  if (!document.Write([&](std::string_view piece) {
        after += piece;
        return true;
      })) {
    return {"", kNegative, "the changed document could not be written as a file that loads again"};
  }
  const std::string name = FromHost(file);
  std::string diff = UnifiedDiff(before, after, name, name);
  if (diff.empty()) return Positive("no change");
  if (diff.back() == '\n') diff.pop_back();
  return Positive(std::move(diff));
}

Outcome XmlAdd(const Arguments& given) {
  Arguments a = given;
  bool dry_run = false;
  if (a.size() == 4) {
    const auto option = a[0] == kDryRun ? a.begin() : a.end() - 1;
    if (*option != kDryRun) throw std::invalid_argument("xml-add's option is --dry-run");
    a.erase(option);
    dry_run = true;
  }
  if (dry_run) return DryRun(a[0], a[1], a[2]);
  const std::int32_t written = XMLAddNode(a[0].c_str(), a[1].c_str(), a[2].c_str());
  return Judged(std::to_string(written), written == 1);
}

const CommandRegistration kXmlGet{
    "xml-get", {"FILE PATH", 2, XmlGet, "the text of the element that PATH names in FILE"}};

const CommandRegistration kXmlAdd{"xml-add",
                                  {"FILE PATH VALUE [--dry-run]", 3, XmlAdd,
                                   "set that element's text, creating the path; --dry-run shows "
                                   "the change as a diff and writes nothing",
                                   1}};

const CommandRegistration kMyDllFunc{
    "my-dll-func",
    {"PREFIX", 1, [](const Arguments& a) { return Positive(Text(MyDllFunc(a[0].c_str()))); },
     "PREFIX followed by the library's fixed Polish test suffix"}};

}  // namespace
}  // namespace tovrel::tool
