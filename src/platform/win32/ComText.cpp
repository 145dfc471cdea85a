#include "platform/win32/ComText.h"

#include <climits>
#include <new>

namespace tovrel::win32 {

UniqueBstr MakeBstr(WideView text) {
  if (text.size() > UINT_MAX) throw std::bad_alloc();
  const WideText owned(text);
  UniqueBstr bstr(SysAllocStringLen(AsWide(owned), static_cast<UINT>(owned.size())));
  if (!bstr) throw std::bad_alloc();
  return bstr;
}

}  // namespace tovrel::win32
