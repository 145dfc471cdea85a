#include "platform/portable/IconvCodePage.h"

#include <iconv.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

namespace tovrel::portable {
namespace {

class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::invalid_argument("no conversion " + from);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { iconv_close(cd_); }

  // Converts the whole input, or gives nullopt at the first sequence iconv cannot convert.
  std::optional<std::string> Convert(std::string_view in) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 8 + 8, '\0');
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    out.resize(out.size() - out_left);
    return out;
  }

 private:
  iconv_t cd_;
};

std::string CodePageName(unsigned number) {
  return "CP" + std::to_string(number);
}

}  // namespace

IconvCodePage::IconvCodePage(unsigned number) : number_(number) {
  const Converter decode("UTF-16LE", CodePageName(number));
  for (unsigned byte = 0; byte < 256; ++byte) {
    const auto wide = decode.Convert(std::string(1, static_cast<char>(byte)));
    // Windows gives a byte the code page leaves undefined the character of the same value.
    const bool defined = wide && wide->size() == 2;
    const auto unit = defined ? static_cast<char16_t>(static_cast<unsigned char>((*wide)[0]) |
                                                      static_cast<unsigned char>((*wide)[1]) << 8)
                              : static_cast<char16_t>(byte);
    to_wide_[byte] = unit;
    to_ansi_.emplace(unit, static_cast<char>(byte));
  }
}

unsigned IconvCodePage::NumberFromEnvironment() {
  constexpr unsigned kDefault = 1252;
  const char* value = std::getenv("TOVREL_ACP");
  if (value == nullptr) return kDefault;
  char* end = nullptr;
  const unsigned long number = std::strtoul(value, &end, 10);
  return (end != value && *end == '\0' && number > 0 && number < 65536)
             ? static_cast<unsigned>(number)
             : kDefault;
}

unsigned IconvCodePage::Number() const {
  return number_;
}

WideText IconvCodePage::ToWide(AnsiView text) const {
  WideText wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(to_wide_[static_cast<unsigned char>(c)]);
  return wide;
}

AnsiText IconvCodePage::ToAnsi(WideView text) const {
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
