#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/win32/WideChars.h"

namespace tovrel::win32 {
namespace {

int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

Win32CodePage::Win32CodePage() : number_(GetACP()) {}

Win32CodePage::Win32CodePage(unsigned number) : number_(number) {}

unsigned Win32CodePage::Number() const {
  return number_;
}

WideText Win32CodePage::ToWide(AnsiView text) const {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int units = MultiByteToWideChar(number_, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(number_, 0, text.data(), length, wide.data(), units);
  return FromWide(wide.data(), wide.size());
}

AnsiText Win32CodePage::ToAnsi(WideView text) const {
  if (text.empty()) return {};
  const WideText owned(text);
  const int length = CheckedLength(owned.size());
  const int bytes =
      WideCharToMultiByte(number_, 0, AsWide(owned), length, nullptr, 0, nullptr, nullptr);
  AnsiText ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(number_, 0, AsWide(owned), length, ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

}  // namespace tovrel::win32
