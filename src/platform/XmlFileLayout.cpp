#include "platform/XmlFileLayout.h"

#include <utility>

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

// Every CRLF the DOM wrote becomes LF, then every LF the file's line end.
void NormalizeLineEnds(std::string& text, bool crlf) {
  if (text.find('\r') != std::string::npos) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      text[kept++] = text[i];
    }
    text.resize(kept);
  }
  if (!crlf) return;
  std::string expanded;
  expanded.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') expanded += '\r';
    expanded += c;
  }
  text = std::move(expanded);
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

bool XmlLayoutWriter::Put(std::string_view bytes) {
  if (failed_) return false;
  if (!layout_.ascii_compatible) {
    failed_ = !sink_(bytes);
    return !failed_;
  }
  if (started_) return PutBody(bytes);
  head_.append(bytes);
  return PassDeclaration(false);
}

bool XmlLayoutWriter::Finish() {
  if (failed_) return false;
  if (!layout_.ascii_compatible) return true;
  if (!started_ && !PassDeclaration(true)) return false;
  if (!started_) return false;
  // Blanks after the last node go; the file ends as it ended.
  pending_blanks_.clear();
  if (!sink_(layout_.final_line_end)) failed_ = true;
  return !failed_;
}

bool XmlLayoutWriter::PassDeclaration(bool at_end) {
  std::string_view text(head_);
  std::size_t skip = 0;
  if (text.starts_with(kUtf8Bom)) {
    skip = kUtf8Bom.size();
  } else if (!at_end && kUtf8Bom.starts_with(text)) {
    return true;
  }
  text.remove_prefix(skip);
  const std::size_t declaration = DeclarationLength(text);
  const bool complete = declaration > 0 && declaration < text.size();
  // Wait for the byte after the declaration's blanks while the text may still start one.
  const bool may_be_declaration =
      kDeclarationStart.starts_with(text.substr(0, kDeclarationStart.size()));
  const bool undecided =
      !at_end && may_be_declaration && !complete && text.size() < kXmlLayoutHeadBytes;
  if (undecided) return true;
  if (declaration == 0 && layout_.prolog.find(kDeclarationStart) != std::string::npos) {
    failed_ = true;
    return false;
  }
  started_ = true;
  const std::string rest(text.substr(declaration));
  head_.clear();
  if (!sink_(layout_.prolog)) {
    failed_ = true;
    return false;
  }
  return PutBody(rest);
}

bool XmlLayoutWriter::PutBody(std::string_view bytes) {
  // Blanks at the end of a piece may be the document's last ones: they wait for what follows.
  const std::size_t last = bytes.find_last_not_of(" \t\r\n");
  if (last == std::string_view::npos) {
    pending_blanks_.append(bytes);
    return true;
  }
  const std::string_view body = bytes.substr(0, last + 1);
  if (pending_blanks_.empty() && !layout_.crlf && body.find('\r') == std::string_view::npos) {
    failed_ = !sink_(body);
  } else {
    out_ = pending_blanks_;
    out_.append(body);
    NormalizeLineEnds(out_, layout_.crlf);
    failed_ = !sink_(out_);
  }
  pending_blanks_.assign(bytes.substr(last + 1));
  return !failed_;
}

}  // namespace tovrel
