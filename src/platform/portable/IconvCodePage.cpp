#include "platform/portable/IconvCodePage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "text/Utf8.h"

namespace tovrel::portable {

// One iconv conversion; iconv keeps shift state, so every call starts from the initial state.
class IconvCodePage::Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::invalid_argument("no conversion " + from);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { iconv_close(cd_); }

  // Converts the whole input, or gives nullopt at the first sequence iconv cannot convert;
  // `incomplete` tells whether the input ended inside a sequence.
  std::optional<std::string> Convert(std::string_view in, bool* incomplete = nullptr) const {
    std::string out;
    const Stop stop = ConvertInto(in, out);
    if (incomplete != nullptr) *incomplete = stop.error == EINVAL;
    if (stop.converted != in.size()) return std::nullopt;
    return out;
  }

  // Converts the whole input; where iconv cannot go on, `replace` appends what stands for the
  // rest's first sequence and gives how many bytes that sequence has.
  template <typename Replace>
  std::string ConvertReplacing(std::string_view in, Replace&& replace) const {
    std::string out;
    while (!in.empty()) {
      in.remove_prefix(ConvertInto(in, out).converted);
      if (!in.empty())
        in.remove_prefix(std::min(in.size(), std::max<std::size_t>(1, replace(in, out))));
    }
    return out;
  }

 private:
  // How many input bytes converted, and iconv's error where it stopped short (0 when not).
  struct Stop {
    std::size_t converted;
    int error;
  };

  // Appends what converts.
  Stop ConvertInto(std::string_view in, std::string& out) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    int error = 0;
    while (in_left > 0 && error == 0) {
      std::array<char, 256> buffer{};
      char* out_ptr = buffer.data();
      std::size_t out_left = buffer.size();
      if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) &&
          errno != E2BIG) {
        error = errno;
      }
      out.append(buffer.data(), buffer.size() - out_left);
    }
    return {in.size() - in_left, error};
  }

  iconv_t cd_;
};

namespace {

constexpr unsigned kUtf8 = 65001;

std::string CodePageName(unsigned number) {
  return number == kUtf8 ? "UTF-8" : "CP" + std::to_string(number);
}

// Windows' lead bytes of its East Asian pages, where iconv's tables know fewer (CP950 leaves
// out the ranges of user-defined characters).
bool IsWindowsLeadByte(unsigned number, unsigned byte) {
  if (number == 932) return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  if (number == 936 || number == 949 || number == 950) return byte >= 0x81 && byte <= 0xFE;
  return false;
}

// The character Windows reads for a sequence a code page does not define: the Japanese page's
// middle dot, "?" in the others.
char16_t DefaultCharacter(unsigned number) {
  return number == 932 ? u'\u30FB' : u'?';
}

}  // namespace

IconvCodePage::IconvCodePage(unsigned number)
    : number_(number),
      decode_(std::make_unique<Converter>("UTF-16LE", CodePageName(number))),
      encode_(std::make_unique<Converter>(CodePageName(number), "UTF-16LE")) {
  if (number == kUtf8) {
    utf8_ = true;
    return;
  }
  for (unsigned byte = 0; byte < 256; ++byte) {
    bool lead_byte = false;
    const auto wide = decode_->Convert(std::string(1, static_cast<char>(byte)), &lead_byte);
    // A byte that starts a longer sequence makes this a multi-byte code page (932, 936, 949,
    // 950), which iconv converts whole texts of.
    lead_byte = lead_byte || IsWindowsLeadByte(number, byte);
    multi_byte_ = multi_byte_ || lead_byte;
    lead_bytes_[byte] = lead_byte;
    // Windows gives a byte the code page leaves undefined the character of the same value.
    const bool defined = wide && wide->size() == 2;
    const auto unit = defined ? static_cast<char16_t>(static_cast<unsigned char>((*wide)[0]) |
                                                      static_cast<unsigned char>((*wide)[1]) << 8)
                              : static_cast<char16_t>(byte);
    to_wide_[byte] = unit;
    to_ansi_.emplace(unit, static_cast<char>(byte));
  }
}

IconvCodePage::~IconvCodePage() = default;

unsigned IconvCodePage::NumberFromEnvironment() {
  constexpr unsigned kDefault = 1252;
  const char* value = std::getenv("TOVREL_ACP");
  return value ? ParseNumber(value).value_or(kDefault) : kDefault;
}

std::optional<unsigned> IconvCodePage::ParseNumber(std::string_view setting) {
  unsigned number = 0;
  const char* end = setting.data() + setting.size();
  const auto [stop, error] = std::from_chars(setting.data(), end, number);
  if (error != std::errc() || stop != end || number == 0 || number > 65535) return std::nullopt;
  return number;
}

unsigned IconvCodePage::Number() const {
  return number_;
}

WideText IconvCodePage::ToWide(AnsiView text) const {
  if (utf8_) return FromUtf8(text);
  if (multi_byte_) {
    // As Windows reads such a page: a lead byte and the byte after it are one character, the
    // page's default one when they define none; a byte alone that the page does not define is
    // the character of the same value.
    const std::string bytes =
        decode_->ConvertReplacing(text, [this](AnsiView rest, std::string& out) {
          const auto byte = static_cast<unsigned char>(rest[0]);
          const char16_t unit = lead_bytes_[byte] ? DefaultCharacter(number_) : to_wide_[byte];
          out.push_back(static_cast<char>(unit & 0xFF));
          out.push_back(static_cast<char>(unit >> 8));
          return lead_bytes_[byte] ? std::size_t{2} : std::size_t{1};
        });
    WideText wide(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
      wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return wide;
  }
  WideText wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(to_wide_[static_cast<unsigned char>(c)]);
  return wide;
}

AnsiText IconvCodePage::ToAnsi(WideView text) const {
  if (utf8_) return ToUtf8(text);
  if (multi_byte_) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
    // A character the code page lacks becomes "?", one UTF-16 unit at a time.
    return encode_->ConvertReplacing(bytes, [](std::string_view, std::string& out) {
      out += '?';
      return std::size_t{2};
    });
  }
  AnsiText ansi;
  ansi.reserve(text.size());
  for (char16_t c : text) {
    const auto found = to_ansi_.find(c);
    ansi.push_back(found != to_ansi_.end() ? found->second : BestFit(c));
  }
  return ansi;
}

char IconvCodePage::BestFit(char16_t c) const {
  // Windows' best-fit replacements for U+00A0 to U+017F, mostly the letter without its mark.
  constexpr std::u16string_view kLatinBestFit =
      u"?!cL?Y????a????\u2014??23?????1o?113?AAAAAAACEEEEIIII?NOOOOO?OUUUUY??aaaaaaaceeeeiiii?"
      u"nooooo?"
      u"ouuuuy?yAaAaAaCcCcCcCcDd\u00D0dEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKk?LlLlLl??LlNnNnNn???"
      u"OoOo"
      u"OoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz?";
  constexpr char16_t kFirst = 0xA0;
  const std::size_t index = static_cast<std::size_t>(c) - kFirst;
  if (c < kFirst || index >= kLatinBestFit.size()) return '?';
  const auto found = to_ansi_.find(kLatinBestFit[index]);
  return found != to_ansi_.end() ? found->second : '?';
}

}  // namespace tovrel::portable
