#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include <vector>

#include "platform/DevicePath.h"
#include "platform/win32/WideChars.h"

namespace tovrel::win32 {

WideText Win32ProfileFiles::ReadProfileString(WideView file_name, WideView section, WideView key,
                                              WideView default_value) const {
  // Profile files are read by name; a device or a pipe could keep the read waiting. The default
  // comes back as Windows gives it for a file it cannot read, without its trailing spaces.
  if (NamesDevice(file_name)) {
    while (!default_value.empty() && default_value.back() == u' ') default_value.remove_suffix(1);
    return WideText(default_value);
  }
  const WideText file(file_name);
  const WideText section_text(section);
  const WideText key_text(key);
  const WideText default_text(default_value);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD length =
        GetPrivateProfileStringW(AsWide(section_text), AsWide(key_text), AsWide(default_text),
                                 buffer.data(), size, AsWide(file));
    // A value cut to fit comes back one or two units short of the buffer; a longer buffer
    // then shows whether it was cut.
    if (length + 2 < size) return FromWide(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tovrel::win32
