#pragma once

#include <filesystem>
#include <string>

#include "platform/XmlDom.h"

namespace tovrel::test {

// A compact, DOM-independent picture of a file's elements and texts, for comparing what either
// backend saved: <A xmlns="u" k="v"><B>text</B><!--c--></A>, namespace declarations
// first and those that repeat one in scope left out. "unreadable" when the file does not load.
std::string XmlOutline(const XmlDomFactory& xml, const std::filesystem::path& file);

}  // namespace tovrel::test
