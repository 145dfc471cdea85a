#include "xmlsettings/SettingsFile.h"

#include <exception>
#include <optional>

namespace tovrel {

bool NamesNoFile(const FileSystem& files, WideView file_name) {
  const FileKind kind = files.Describe(file_name).kind;
  return kind == FileKind::kDirectory || kind == FileKind::kOther;
}

std::unique_ptr<XmlDocument> LoadSettingsFile(const XmlDomFactory& xml, WideView file_name) {
  if (file_name.empty()) return nullptr;
  std::unique_ptr<XmlDocument> document = xml.CreateDocument();
  return document->LoadFromFile(file_name) ? std::move(document) : nullptr;
}

namespace {

ChangeStop Save(const SettingsServices& services, const XmlDocument& document, WideView file_name,
                const FileStamp& loaded) {
  bool written = true;
  const Replaced replaced = services.files.ReplaceFileUnlessChanged(
      file_name,
      [&](const ByteSink& sink) {
        written = document.Write(sink);
        return written;
      },
      loaded);
  switch (replaced) {
    case Replaced::kYes:
      return ChangeStop::kSaved;
    case Replaced::kChangedMeanwhile:
      return ChangeStop::kChangedMeanwhile;
    case Replaced::kFailed:
      break;
  }
  return written ? ChangeStop::kNotReplaced : ChangeStop::kNotWritten;
}

}  // namespace

ChangeStop ChangeSettingsFile(const SettingsServices& services, WideView file_name,
                              const std::function<ChangeStep(XmlDocument&)>& change) {
  ChangeStop reached = ChangeStop::kNoLock;
  try {
    if (NamesNoFile(services.files, file_name)) return reached;
    // Held from the load to the save, so that a change made meanwhile by another installer waits
    // instead of being overwritten; other programs take no such lock, and the stamp taken at
    // each load tells when one of them saved the file.
    const std::unique_ptr<FileChangeLock> lock =
        services.files.LockForChange(file_name, kFileChangeWait);
    if (!lock) return reached;
    for (int attempt = 0; attempt <= kChangeRetries; ++attempt) {
      reached = ChangeStop::kNotLoaded;
      const std::optional<FileStamp> stamp = services.files.Stamp(file_name);
      if (!stamp) return reached;
      const std::unique_ptr<XmlDocument> document = LoadSettingsFile(services.xml, file_name);
      if (!document) return reached;
      reached = ChangeStop::kNotChanged;
      switch (change(*document)) {
        case ChangeStep::kNothingToSave:
          return ChangeStop::kSaved;
        case ChangeStep::kCannotChange:
          return reached;
        case ChangeStep::kSave:
          break;
      }
      reached = Save(services, *document, file_name, *stamp);
      if (reached != ChangeStop::kChangedMeanwhile) return reached;
    }
    return reached;
  } catch (const std::exception&) {
    return reached;
  }
}

}  // namespace tovrel
