#include <stdexcept>

#include "Commands.h"
#include "FileDiagnosis.h"
#include "HostArguments.h"
#include "PathWalk.h"
#include "Tovrel.h"
#include "XmlDiagnosis.h"
#include "platform/Platform.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {
namespace {

// The settings file as the library loads it; the caller has found it loadable.
std::unique_ptr<XmlDocument> Load(const Platform& platform, const std::string& file) {
  std::unique_ptr<XmlDocument> document = LoadSettingsFile(*platform.xml, HostToWide(file));
  if (!document) throw std::runtime_error(Quoted(file) + " could not be loaded");
  return document;
}

Outcome XmlGet(const Arguments& a) {
  Outcome outcome = Positive(Text(XMLGetNode(a[0].c_str(), a[1].c_str())));
  if (outcome.answer != "Empty") return outcome;
  if (auto why = UnloadableDocumentReason(a[0])) return {outcome.answer, kUnusable, *why};
  const Platform platform = MakePlatform();
  const PathWalk walk = WalkForRead(*Load(platform, a[0])->DocumentElement(), HostToWide(a[1]));
  // An element may hold the text "Empty" itself.
  if (walk.failure.empty()) return outcome;
  return {outcome.answer, kNegative, walk.failure};
}

Outcome XmlAdd(const Arguments& a) {
  const std::int32_t written = XMLAddNode(a[0].c_str(), a[1].c_str(), a[2].c_str());
  Outcome outcome = Positive(std::to_string(written));
  if (written == 1) return outcome;
  if (auto why = UnloadableDocumentReason(a[0])) return {outcome.answer, kUnusable, *why};
  const Platform platform = MakePlatform();
  const PathWalk walk =
      WalkForWrite(*Load(platform, a[0])->DocumentElement(), HostToWide(a[1]), HostToWide(a[2]));
  if (!walk.failure.empty()) return {outcome.answer, kNegative, walk.failure};
  if (auto why = UnwritableFileReason(a[0])) return {outcome.answer, kUnusable, *why};
  return {outcome.answer, kNegative, Quoted(a[0]) + " could not be saved"};
}

const CommandRegistration kXmlGet{
    "xml-get", {"FILE PATH", 2, XmlGet, "the text of the element that PATH names in FILE"}};

const CommandRegistration kXmlAdd{
    "xml-add",
    {"FILE PATH VALUE", 3, XmlAdd, "set that element's text, creating the path when missing"}};

const CommandRegistration kMyDllFunc{
    "my-dll-func",
    {"PREFIX", 1, [](const Arguments& a) { return Positive(Text(MyDllFunc(a[0].c_str()))); },
     "PREFIX followed by the library's fixed Polish test suffix"}};

}  // namespace
}  // namespace tovrel::tool
