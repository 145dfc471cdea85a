#include "capture/RegFileText.h"

#include <algorithm>

#include "text/Utf16Le.h"

namespace tovrel::capture {
namespace {

WideText Quoted(WideView text) {
  WideText quoted = u"\"";
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'"') quoted += u'\\';
    quoted += c;
  }
  return quoted + u'"';
}

bool HasControlCharacters(WideView text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < u' '; });
}

WideText HexBytes(std::string_view bytes) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  WideText hex;
  for (const char byte : bytes) {
    if (!hex.empty()) hex += u',';
    const auto value = static_cast<unsigned char>(byte);
    hex += kDigits[value >> 4];
    hex += kDigits[value & 0xF];
  }
  return hex;
}

}  // namespace

RegFileText::RegFileText() : text_(u"Windows Registry Editor Version 5.00\r\n") {}

void RegFileText::AddKey(RegistryRoot root, WideView path) {
  text_ += u"\r\n[";
  text_ += RegistryRootName(root);
  text_ += u'\\';
  text_ += path;
  text_ += u"]\r\n";
}

void RegFileText::AddName(WideView name) {
  text_ += name.empty() ? WideText(u"@") : Quoted(name);
  text_ += u'=';
}

void RegFileText::AddString(WideView name, WideView text) {
  AddName(name);
  if (HasControlCharacters(text)) {
    text_ += u"hex(1):" + HexBytes(EncodeUtf16Le(WideText(text) + u'\0'));
  } else {
    text_ += Quoted(text);
  }
  text_ += u"\r\n";
}

void RegFileText::AddNonText(WideView name) {
  AddName(name);
  text_ += u"dword:00000000\r\n";
}

std::string RegFileText::Bytes() const {
  return EncodeUtf16Le(u"\uFEFF" + text_);
}

}  // namespace tovrel::capture
