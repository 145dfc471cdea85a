#pragma once

#include <string_view>

namespace tovrel {

// How a document's text is stored, as its byte-order mark, its first bytes and its declaration
// tell.
struct XmlEncoding {
  enum class Form {
    kUtf8,
    kUtf16Le,
    kUtf16Be,
    // An ASCII-compatible code page of one byte a character, `code_page` its Windows number.
    kCodePage,
    // Anything else (UTF-32, UTF-7, double-byte code pages, names not known here): such a file
    // is read, but not written.
    kUnsupported,
  };
  Form form = Form::kUtf8;
  unsigned code_page = 0;
};

XmlEncoding DetectXmlEncoding(std::string_view bytes);

// The charset name (as iconv knows it) of a code page DetectXmlEncoding gives; empty for others.
std::string_view CodePageCharsetName(unsigned code_page);

}  // namespace tovrel
