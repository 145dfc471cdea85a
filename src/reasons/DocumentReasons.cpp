#include "reasons/DocumentReasons.h"

#include <string>

#include "reasons/FileReasons.h"

namespace tovrel {

namespace {

Reason Unusable(WideText text) {
  return Reason{ReasonKind::kUnusableInput, std::move(text)};
}

}  // namespace

LoadedDocument LoadOrExplain(const SettingsServices& services, WideView file) {
  if (auto reason = UnreadableFileReason(services.files, file)) return {nullptr, reason};
  std::unique_ptr<XmlDocument> document = services.xml.CreateDocument();
  if (document->LoadFromFile(file) && document->DocumentElement()) {
    return {std::move(document), std::nullopt};
  }
  const std::optional<XmlParseError> error = document->ParseError();
  if (!error) return {nullptr, Unusable(Quoted(file) + u" cannot be read")};
  WideText text = Quoted(file) + u" is not well-formed XML";
  if (error->line != 0) {
    text += u": line " + WidenAscii(std::to_string(error->line)) + u", column " +
            WidenAscii(std::to_string(error->column));
  }
  WideView message = error->message;
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                              message.back() == u' ' || message.back() == u'.')) {
    message.remove_suffix(1);
  }
  if (!message.empty()) text += u": " + WideText(message);
  return {nullptr, Unusable(std::move(text))};
}

std::optional<Reason> UnloadableDocumentReason(const SettingsServices& services, WideView file) {
  return LoadOrExplain(services, file).reason;
}

}  // namespace tovrel
