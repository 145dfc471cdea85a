#include "reasons/XmlReasons.h"

#include <algorithm>
#include <string>

#include "reasons/DocumentReasons.h"
#include "reasons/FileReasons.h"
#include "reasons/PathWalk.h"
#include "text/Utf8.h"

namespace tovrel {
namespace {

Reason Negative(WideText text) {
  return Reason{ReasonKind::kNegative, std::move(text)};
}

// The document as the change loads it, or the reason it does not load.
std::unique_ptr<XmlDocument> Load(const SettingsServices& services, WideView file,
                                  Reasons& reasons) {
  LoadedDocument loaded = LoadOrExplain(services, file);
  if (loaded.reason) reasons.push_back(std::move(*loaded.reason));
  return std::move(loaded.document);
}

// Why a change stopped where it did; `walk` tells why the path or section could not be set.
template <typename Walk>
Reasons ChangeReasons(const SettingsServices& services, WideView file, ChangeStop stop,
                      Walk&& walk) {
  Reasons reasons;
  switch (stop) {
    case ChangeStop::kSaved:
      break;
    case ChangeStop::kNoLock:
    case ChangeStop::kNotLoaded:
      if (auto reason = UnloadableDocumentReason(services, file)) {
        reasons.push_back(std::move(*reason));
      } else if (stop == ChangeStop::kNoLock) {
        reasons.push_back(Negative(u"the lock on " + Quoted(file) + u" was still held after " +
                                   WidenAscii(std::to_string(kFileChangeWait.count() / 1000)) +
                                   u" s"));
      } else {
        reasons.push_back(Negative(Quoted(file) + u" cannot be read"));
      }
      break;
    case ChangeStop::kNotChanged:
      if (const std::unique_ptr<XmlDocument> document = Load(services, file, reasons)) {
        reasons.push_back(Negative(walk(*document)));
      }
      break;
    case ChangeStop::kNotWritten:
      reasons.push_back(Negative(Quoted(file) + u": the saved text would not read back"));
      break;
    case ChangeStop::kChangedMeanwhile:
      reasons.push_back(
          Negative(Quoted(file) + u" was saved by another program during each of the " +
                   WidenAscii(std::to_string(kChangeRetries + 1)) +
                   u" tries of this change; what that program saved is left as it is"));
      break;
    case ChangeStop::kNotReplaced:
      if (auto reason = UnwritableFileReason(services.files, file)) {
        reasons.push_back(std::move(*reason));
      } else {
        reasons.push_back(Negative(Quoted(file) + u" could not be replaced"));
      }
      break;
  }
  return reasons;
}

WideText LastComponent(WideView path) {
  const std::size_t dot = path.find_last_of(u".\\");
  return WideText(dot == WideView::npos ? path : path.substr(dot + 1));
}

}  // namespace

Reasons XMLGetNodeReasons(const SettingsServices& services, WideView file, WideView node_path) {
  Reasons reasons;
  if (const std::unique_ptr<XmlDocument> document = Load(services, file, reasons)) {
    const PathWalk walk = WalkForRead(*document->DocumentElement(), node_path);
    if (!walk.failure.empty()) reasons.push_back(Negative(FromUtf8(walk.failure)));
  }
  return reasons;
}

Reasons XMLAddNodeReasons(const SettingsServices& services, WideView file, WideView node_path,
                          WideView value, ChangeStop stop) {
  return ChangeReasons(services, file, stop, [&](XmlDocument& document) {
    const PathWalk walk = WalkForWrite(*document.DocumentElement(), node_path, value);
    return walk.failure.empty() ? u"the path cannot be set" : FromUtf8(walk.failure);
  });
}

Reasons XMLSaveInstalledAppsReasons(const SettingsServices& services, WideView file,
                                    const std::vector<UnwrittenSection>& unwritten) {
  // Sections in the order written, grouped by the reason they share.
  std::vector<std::pair<Reason, std::vector<WideText>>> groups;
  for (const UnwrittenSection& section : unwritten) {
    Reasons why = ChangeReasons(services, file, section.stop, [](XmlDocument&) {
      return WideText(u"the section cannot be set");
    });
    if (why.empty()) why.push_back(Negative(Quoted(file) + u" could not be saved"));
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& g) { return g.first.text == why.front().text; });
    if (group == groups.end()) group = groups.insert(groups.end(), {why.front(), {}});
    group->second.push_back(LastComponent(section.section));
  }
  Reasons reasons;
  for (auto& [why, sections] : groups) {
    WideText names;
    for (const WideText& name : sections) names += (names.empty() ? u"" : u", ") + name;
    reasons.push_back({why.kind, (sections.size() == 1 ? u"section " : u"sections ") + names +
                                     u" not written: " + why.text});
  }
  return reasons;
}

}  // namespace tovrel
