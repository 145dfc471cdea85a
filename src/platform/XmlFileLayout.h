#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovrel {

// What a parser forgets about a file and a save should keep: the bytes before the first node
// (byte-order mark, declaration and the line end after it), whether lines end in CRLF (the
// parser hands every line end over as LF), and how the file ends.
struct XmlFileLayout {
  // False for encodings in which a line end is not the byte 0x0A (UTF-16, UTF-32): their files
  // are saved as the DOM writes them.
  bool ascii_compatible = false;
  std::string prolog;
  bool crlf = false;
  std::string final_line_end;
};

// How many bytes of the file's start and end ReadXmlFileLayout looks at.
inline constexpr std::size_t kXmlLayoutHeadBytes = 4096;
inline constexpr std::size_t kXmlLayoutTailBytes = 2;

// The layout of a file from its first and last bytes (all of it, for a short file).
XmlFileLayout ReadXmlFileLayout(std::string_view head, std::string_view tail);

// A DOM's serialisation of a document with the file's layout put back: the file's own prolog
// instead of the declaration the DOM writes, its line ends and its ending. Nullopt when the DOM
// wrote the declaration in bytes that are not ASCII (UTF-7 does), which no parser reads back.
std::optional<std::string> ApplyXmlFileLayout(std::string serialized, const XmlFileLayout& layout);

}  // namespace tovrel
