#include "platform/regfile/RegFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "text/Utf16Le.h"

namespace tovrel {
namespace {

constexpr std::string_view kUnicodeHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kAnsiHeader = "REGEDIT4";

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

WideView TrimBlanks(WideView text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoreCase(WideView text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoreCase(text.substr(0, prefix.size()), WidenAscii(prefix));
}

std::optional<unsigned> HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return std::nullopt;
}

// Reads one file line by line; the lines of a hex value continue after a trailing "\".
class RegFileReader {
 public:
  RegFileReader(RegistryTree& tree, WideView text, bool unicode, const AnsiCodePage& code_page,
                std::string_view file_name)
      : tree_(tree), text_(text), unicode_(unicode), code_page_(code_page), file_name_(file_name) {}

  void Read() {
    ReadHeader();
    while (NextLine()) {
      const WideView line = TrimBlanks(line_);
      if (line.empty() || line.front() == u';') continue;
      if (line.front() == u'[') {
        ReadKeyLine(line);
      } else if (line.front() == u'"' || line.front() == u'@') {
        ReadValueLine(line);
      } else {
        Fail("expected a [key] or a value");
      }
    }
  }

 private:
  [[noreturn]] void Fail(std::string_view what) const {
    const std::size_t line = std::max<std::size_t>(line_number_, 1);
    throw RegFileError(std::string(file_name_) + ":" + std::to_string(line) + ": " +
                       std::string(what));
  }

  bool NextLine() {
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find(u'\n', position_);
    if (end == WideView::npos) end = text_.size();
    line_ = text_.substr(position_, end - position_);
    if (!line_.empty() && line_.back() == u'\r') line_.remove_suffix(1);
    position_ = end + 1;
    ++line_number_;
    return true;
  }

  void ReadHeader() {
    while (NextLine()) {
      const WideView line = TrimBlanks(line_);
      if (line.empty()) continue;
      const std::string_view expected = unicode_ ? kUnicodeHeader : kAnsiHeader;
      if (line != WidenAscii(expected)) {
        Fail(unicode_ ? "a UTF-16 file must start with \"Windows Registry Editor Version 5.00\""
                      : "a file without a UTF-16 byte-order mark must start with \"REGEDIT4\"");
      }
      return;
    }
    Fail("empty file");
  }

  void ReadKeyLine(WideView line) {
    if (line.back() != u']') Fail("a key line must end with \"]\"");
    WideView path = line.substr(1, line.size() - 2);
    const bool deletion = !path.empty() && path.front() == u'-';
    if (deletion) path.remove_prefix(1);
    const std::size_t root_end = std::min(path.find(u'\\'), path.size());
    const auto root = RegistryRootByName(path.substr(0, root_end));
    if (!root) Fail("unknown registry root");
    const WideView subpath = path.substr(std::min(root_end + 1, path.size()));
    if (SplitKeyPath(subpath).size() > kMaxKeyDepth) {
      Fail("a key more than " + std::to_string(kMaxKeyDepth) + " levels deep");
    }
    key_ = nullptr;
    if (deletion) {
      tree_.Delete(*root, subpath);
    } else {
      key_ = &tree_.Create(*root, subpath);
    }
    in_key_ = true;
  }

  void ReadValueLine(WideView line) {
    if (!in_key_) Fail("a value before the first [key]");
    WideText name;
    if (line.front() == u'@') {
      line.remove_prefix(1);
    } else {
      name = ReadQuoted(line);
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() != u'=') Fail("expected \"=\" after the value name");
    line = TrimBlanks(line.substr(1));
    const std::optional<RegistryValue> value = ReadData(line);
    // Values under a deleted key are read, to check them, and dropped, as the editor does.
    if (key_ == nullptr) return;
    if (value) {
      key_->values.insert_or_assign(std::move(name), *value);
    } else {
      key_->values.erase(name);
    }
  }

  // A quoted text at the start of `line` with its escapes undone; `line` is left after it.
  WideText ReadQuoted(WideView& line) {
    WideText text;
    std::size_t i = 1;
    for (;; ++i) {
      if (i >= line.size()) Fail("missing closing quote");
      const char16_t c = line[i];
      if (c == u'"') break;
      if (c != u'\\') {
        text.push_back(c);
        continue;
      }
      if (++i >= line.size()) Fail("missing closing quote");
      switch (line[i]) {
        case u'\\':
        case u'"':
          text.push_back(line[i]);
          break;
        case u'n':
          text.push_back(u'\n');
          break;
        case u'r':
          text.push_back(u'\r');
          break;
        case u'0':
          text.push_back(u'\0');
          break;
        default:
          Fail("unknown escape in quoted text");
      }
    }
    line.remove_prefix(i + 1);
    return text;
  }

  // The value the data text stands for; nullopt for "-", which deletes the value.
  std::optional<RegistryValue> ReadData(WideView data) {
    if (data == u"-") return std::nullopt;
    if (!data.empty() && data.front() == u'"') {
      const WideText text = ReadQuoted(data) + u'\0';
      if (!TrimBlanks(data).empty()) Fail("unexpected text after the closing quote");
      return RegistryValue{kRegSz, EncodeUtf16Le(text)};
    }
    if (StartsWithIgnoreCase(data, "dword:")) return ReadDword(TrimBlanks(data.substr(6)));
    if (StartsWithIgnoreCase(data, "hex:")) return ReadHex(kRegBinary, data.substr(4));
    if (StartsWithIgnoreCase(data, "hex(")) {
      const std::size_t close = data.find(u"):");
      if (close == WideView::npos) Fail("expected \"hex(N):\"");
      return ReadHex(ParseHexNumber(data.substr(4, close - 4), 8), data.substr(close + 2));
    }
    Fail("unknown value data");
  }

  std::uint32_t ParseHexNumber(WideView digits, std::size_t max_digits) const {
    if (digits.empty() || digits.size() > max_digits) Fail("bad hexadecimal number");
    std::uint32_t number = 0;
    for (char16_t c : digits) {
      const auto digit = HexDigit(c);
      if (!digit) Fail("bad hexadecimal number");
      number = number << 4 | *digit;
    }
    return number;
  }

  RegistryValue ReadDword(WideView digits) const {
    const std::uint32_t number = ParseHexNumber(digits, 8);
    std::string data;
    for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<char>(number >> shift));
    return RegistryValue{kRegDword, data};
  }

  // Comma-separated bytes, continued on the next line after a trailing "\".
  RegistryValue ReadHex(std::uint32_t type, WideView list) {
    std::string bytes;
    for (;;) {
      list = TrimBlanks(list);
      if (list == u"\\") {
        if (!NextLine()) Fail("the file ends inside a continued value");
        list = line_;
        continue;
      }
      if (list.empty()) break;
      const std::size_t comma = std::min(list.find(u','), list.size());
      bytes.push_back(static_cast<char>(ParseHexNumber(TrimBlanks(list.substr(0, comma)), 2)));
      list.remove_prefix(std::min(comma + 1, list.size()));
    }
    // The registry editor keeps text of the ANSI format in the ANSI code page; the registry
    // holds it in UTF-16.
    if (!unicode_ && (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz)) {
      bytes = EncodeUtf16Le(code_page_.ToWide(bytes));
    }
    return RegistryValue{type, bytes};
  }

  RegistryTree& tree_;
  WideView text_;
  bool unicode_;
  const AnsiCodePage& code_page_;
  std::string_view file_name_;
  std::size_t position_ = 0;
  std::size_t line_number_ = 0;
  WideView line_;
  bool in_key_ = false;
  RegistryTree::Key* key_ = nullptr;
};

}  // namespace

void ApplyRegFile(RegistryTree& tree, std::string_view bytes, const AnsiCodePage& code_page,
                  std::string_view file_name) {
  const bool unicode = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
  if (unicode && bytes.size() % 2 != 0) {
    throw RegFileError(std::string(file_name) + ":1: odd number of bytes in UTF-16 text");
  }
  const WideText text = unicode ? DecodeUtf16Le(bytes.substr(2)) : code_page.ToWide(bytes);
  RegFileReader(tree, text, unicode, code_page, file_name).Read();
}

}  // namespace tovrel
