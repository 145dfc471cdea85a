#include "platform/XmlFileLayout.h"

namespace tovrel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kDeclarationStart = "<?xml";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A byte-order mark of UTF-16 or UTF-32, or a NUL among the first bytes.
bool IsWideEncoding(std::string_view head) {
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return true;
  return head.substr(0, 4).find('\0') != std::string_view::npos;
}

// The declaration with the blanks after it, when the text starts with one.
std::size_t DeclarationLength(std::string_view text) {
  if (!text.starts_with(kDeclarationStart) || text.size() <= kDeclarationStart.size() ||
      !IsBlank(text[kDeclarationStart.size()])) {
    return 0;
  }
  const std::size_t end = text.find("?>");
  if (end == std::string_view::npos) return 0;
  std::size_t length = end + 2;
  while (length < text.size() && IsBlank(text[length])) ++length;
  return length;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(from, start)) != std::string::npos;
       start = found + from.size()) {
    out.append(text, start, found - start).append(to);
  }
  out.append(text, start, std::string::npos);
  text = std::move(out);
}

}  // namespace

XmlFileLayout ReadXmlFileLayout(std::string_view head, std::string_view tail) {
  XmlFileLayout layout;
  if (IsWideEncoding(head)) return layout;
  layout.ascii_compatible = true;
  const std::size_t bom = head.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
  layout.prolog = std::string(head.substr(0, bom + DeclarationLength(head.substr(bom))));
  const std::size_t first_line_end = head.find('\n');
  layout.crlf = first_line_end != std::string_view::npos && first_line_end > 0 &&
                head[first_line_end - 1] == '\r';
  const std::string_view final_line_end = tail.ends_with("\r\n") ? "\r\n"
                                          : tail.ends_with("\n") ? "\n"
                                                                 : "";
  layout.final_line_end.assign(final_line_end.data(), final_line_end.size());
  return layout;
}

std::optional<std::string> ApplyXmlFileLayout(std::string serialized, const XmlFileLayout& layout) {
  if (!layout.ascii_compatible) return serialized;
  std::string_view body(serialized);
  if (body.starts_with(kUtf8Bom)) body.remove_prefix(kUtf8Bom.size());
  const std::size_t declaration = DeclarationLength(body);
  if (declaration == 0 && layout.prolog.find(kDeclarationStart) != std::string::npos) {
    return std::nullopt;
  }
  body.remove_prefix(declaration);
  while (!body.empty() && IsBlank(body.back())) body.remove_suffix(1);
  const std::size_t start = static_cast<std::size_t>(body.data() - serialized.data());
  serialized.resize(start + body.size());
  serialized.erase(0, start);
  if (serialized.find('\r') != std::string::npos) ReplaceAll(serialized, "\r\n", "\n");
  if (layout.crlf) ReplaceAll(serialized, "\n", "\r\n");
  serialized.insert(0, layout.prolog);
  serialized += layout.final_line_end;
  return serialized;
}

}  // namespace tovrel
