#pragma once

#include "platform/XmlDom.h"
#include "platform/xml/XmlSource.h"

namespace tovrel {

// Whether a parse of the written bytes holds the document as it was meant to be written: the
// same elements in the same places (each found by its chain of child positions, not by a path),
// with the same names, attributes and text. Comments, processing instructions and
// whitespace-only text are no part of it. This is the proof that a change wrote exactly what it
// set, added and removed, and moved nothing else that a reader sees.
[[nodiscard]] bool ReadsBackAs(const XmlNode& meant, const XmlSourceNode& parsed);

}  // namespace tovrel
