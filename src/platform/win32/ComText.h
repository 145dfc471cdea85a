#pragma once

#include <windows.h>

#include <oleauto.h>

#include "platform/win32/UniqueAny.h"
#include "platform/win32/WideChars.h"
#include "text/Text.h"

namespace tovrel::win32 {

using UniqueBstr = UniqueAny<BSTR, ::SysFreeString>;

// A BSTR copy of the text; raises std::bad_alloc when COM has no memory for it.
UniqueBstr MakeBstr(WideView text);

inline WideText FromBstr(const UniqueBstr& text) {
  return text ? FromWide(text.get(), SysStringLen(text.get())) : WideText();
}

// A VARIANT cleared when it goes out of scope.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&value_); }
  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

  // Makes the VARIANT a VT_BSTR owning a copy of the text.
  void SetText(WideView text) {
    UniqueBstr copy = MakeBstr(text);
    VariantClear(&value_);
    value_.vt = VT_BSTR;
    value_.bstrVal = copy.release();
  }

  // Makes the VARIANT a VT_UNKNOWN holding its own reference to the object.
  void SetUnknown(IUnknown* object) {
    VariantClear(&value_);
    object->AddRef();
    value_.vt = VT_UNKNOWN;
    value_.punkVal = object;
  }

 private:
  VARIANT value_;
};

}  // namespace tovrel::win32
