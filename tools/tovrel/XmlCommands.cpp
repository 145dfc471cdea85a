#include <fstream>
#include <iterator>
#include <stdexcept>

#include "Commands.h"
#include "FileDiagnosis.h"
#include "HostArguments.h"
#include "PathWalk.h"
#include "Tovrel.h"
#include "UnifiedDiff.h"
#include "XmlDiagnosis.h"
#include "platform/Platform.h"
#include "xmlsettings/SettingsFile.h"

namespace tovrel::tool {
namespace {

constexpr char kDryRun[] = "--dry-run";

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

std::string FileBytes(const std::string& file) {
  std::ifstream in(LocalPath(file), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the write would make of the file, as a unified diff, writing nothing.
Outcome DryRun(const std::string& file, const std::string& path, const std::string& value) {
  if (auto why = UnloadableDocumentReason(file)) return {"", kUnusable, *why};
  const Platform platform = MakePlatform();
  const std::unique_ptr<XmlDocument> document = Load(platform, file);
  const PathWalk walk =
      WalkForWrite(*document->DocumentElement(), HostToWide(path), HostToWide(value));
  if (!walk.failure.empty()) return {"", kNegative, walk.failure};
  if (auto why = UnwritableFileReason(file)) return {"", kUnusable, *why};
  std::string after;
  if (!document->Write([&](std::string_view piece) {
        after += piece;
        return true;
      })) {
    return {"", kNegative, "the changed document could not be written as a file that loads again"};
  }
  const std::string name = FromHost(file);
  std::string diff = UnifiedDiff(FileBytes(file), after, name, name);
  if (!diff.empty() && diff.back() == '\n') diff.pop_back();
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
