#include "platform/xml/XmlEncoding.h"

#include <array>

namespace tovrel {
namespace {

struct CodePageName {
  std::string_view name;
  unsigned code_page;
  // The name iconv knows it by.
  std::string_view charset;
};

// The single-byte code pages a settings file may declare, by the names the IANA registry and
// Windows give them.
constexpr std::array kCodePages = {
    CodePageName{"windows-1250", 1250, "CP1250"},
    CodePageName{"windows-1251", 1251, "CP1251"},
    CodePageName{"windows-1252", 1252, "CP1252"},
    CodePageName{"windows-1253", 1253, "CP1253"},
    CodePageName{"windows-1254", 1254, "CP1254"},
    CodePageName{"windows-1255", 1255, "CP1255"},
    CodePageName{"windows-1256", 1256, "CP1256"},
    CodePageName{"windows-1257", 1257, "CP1257"},
    CodePageName{"windows-1258", 1258, "CP1258"},
    CodePageName{"cp1250", 1250, "CP1250"},
    CodePageName{"cp1251", 1251, "CP1251"},
    CodePageName{"cp1252", 1252, "CP1252"},
    CodePageName{"windows-874", 874, "CP874"},
    CodePageName{"iso-8859-1", 28591, "ISO-8859-1"},
    CodePageName{"latin1", 28591, "ISO-8859-1"},
    CodePageName{"iso-8859-2", 28592, "ISO-8859-2"},
    CodePageName{"latin2", 28592, "ISO-8859-2"},
    CodePageName{"iso-8859-3", 28593, "ISO-8859-3"},
    CodePageName{"iso-8859-4", 28594, "ISO-8859-4"},
    CodePageName{"iso-8859-5", 28595, "ISO-8859-5"},
    CodePageName{"iso-8859-6", 28596, "ISO-8859-6"},
    CodePageName{"iso-8859-7", 28597, "ISO-8859-7"},
    CodePageName{"iso-8859-8", 28598, "ISO-8859-8"},
    CodePageName{"iso-8859-9", 28599, "ISO-8859-9"},
    CodePageName{"iso-8859-13", 28603, "ISO-8859-13"},
    CodePageName{"iso-8859-15", 28605, "ISO-8859-15"},
    CodePageName{"us-ascii", 20127, "ASCII"},
    CodePageName{"ascii", 20127, "ASCII"},
    CodePageName{"ibm852", 852, "CP852"},
    CodePageName{"cp852", 852, "CP852"},
    CodePageName{"ibm866", 866, "CP866"},
    CodePageName{"cp866", 866, "CP866"},
    CodePageName{"koi8-r", 20866, "KOI8-R"},
    CodePageName{"koi8-u", 21866, "KOI8-U"},
};

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding the declaration at the start of the text names; empty when it names none.
std::string_view DeclaredEncoding(std::string_view text) {
  if (!text.starts_with("<?xml") || text.size() < 6 || !IsBlank(text[5])) return {};
  const std::string_view declaration = text.substr(0, text.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < declaration.size() && IsBlank(declaration[at])) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  while (at < declaration.size() && IsBlank(declaration[at])) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const std::size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  return declaration.substr(at + 1, end - at - 1);
}

}  // namespace

XmlEncoding DetectXmlEncoding(std::string_view bytes) {
  using Form = XmlEncoding::Form;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    // A declaration naming another encoding contradicts the mark; parsers differ in which they
    // follow (libxml2 takes the declaration), so such a file is not written.
    const std::string_view name = DeclaredEncoding(bytes.substr(3));
    return {name.empty() || SameName(name, "UTF-8") ? Form::kUtf8 : Form::kUnsupported, 0};
  }
  if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4))) return {Form::kUnsupported, 0};
  if (bytes.starts_with("\xFF\xFE")) return {Form::kUtf16Le, 0};
  if (bytes.starts_with("\xFE\xFF")) return {Form::kUtf16Be, 0};
  if (bytes.starts_with(std::string_view("<\0?\0", 4))) return {Form::kUtf16Le, 0};
  if (bytes.starts_with(std::string_view("\0<\0?", 4))) return {Form::kUtf16Be, 0};
  if (bytes.substr(0, 4).find('\0') != std::string_view::npos) return {Form::kUnsupported, 0};
  const std::string_view name = DeclaredEncoding(bytes);
  if (name.empty() || SameName(name, "UTF-8")) return {Form::kUtf8, 0};
  for (const CodePageName& known : kCodePages) {
    if (SameName(name, known.name)) return {Form::kCodePage, known.code_page};
  }
  return {Form::kUnsupported, 0};
}

std::string_view CodePageCharsetName(unsigned code_page) {
  for (const CodePageName& known : kCodePages) {
    if (known.code_page == code_page) return known.charset;
  }
  return {};
}

}  // namespace tovrel
