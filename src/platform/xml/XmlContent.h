#pragma once

#include <cstddef>

#include "text/Text.h"

namespace tovrel {

// What a document may hold so that it loads again after a save. Both DOM backends refuse the
// same content with these checks, whatever their own parser would take: a saved document that
// its parser then refuses is a lost settings file.

// Elements nest at most this deep, the document element counting as 1; libxml2 refuses the next
// level, and MSXML's parser under Wine is libxml2.
inline constexpr std::size_t kMaxXmlDepth = 257;

// True when the text is an XML 1.0 Name, which is what a DOM accepts as an element or attribute
// name.
bool IsXmlName(WideView name);

// True when every character of the text matches the XML 1.0 Char production: no control
// characters but tab, line feed and carriage return, no unpaired surrogates, no U+FFFE or U+FFFF.
bool IsXmlText(WideView text);

// The text without the characters XML cannot hold.
WideText WithoutNonXmlChars(WideView text);

// Raise XmlDomError for content that could not be loaded back: an element name that is no XML
// Name, holds a colon or is longer than a parser reads, a value with characters XML cannot hold or
// longer than a parser reads. A CDATA section cannot hold "]]>".
void CheckElementName(WideView name);
void CheckTextValue(WideView value, bool cdata);
void CheckAttributeValue(WideView value);

}  // namespace tovrel
