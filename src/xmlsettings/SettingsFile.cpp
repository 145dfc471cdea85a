#include "xmlsettings/SettingsFile.h"

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

ChangeStop SaveSettingsFile(const SettingsServices& services, const XmlDocument& document,
                            WideView file_name) {
  bool written = true;
  const bool replaced = services.files.ReplaceFileWith(file_name, [&](const ByteSink& sink) {
    written = document.Write(sink);
    return written;
  });
  if (replaced) return ChangeStop::kSaved;
  return written ? ChangeStop::kNotReplaced : ChangeStop::kNotWritten;
}

}  // namespace tovrel
