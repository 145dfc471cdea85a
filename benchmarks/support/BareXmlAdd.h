#pragma once

namespace tovrel::bench {

// What XMLAddNode does for the path r.NEW.KEY and the value "v" on a file whose document element
// is r, written with libxml2 alone and no path search: parse the file, append NEW with KEY
// holding v to the document element, save the document into a temporary file beside it, flush
// that to the disk and move it over the file. False when any step fails.
bool BareXmlAdd(const char* file);

// What XMLAddNode's check before a save costs: libxml2 parsing the file without building a tree.
// False when it is not well-formed.
bool BareReadBack(const char* file);

}  // namespace tovrel::bench
