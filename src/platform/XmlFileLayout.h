#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ByteSink.h"

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

// Puts a file's layout back into a DOM's serialisation as it streams through: the file's own
// prolog instead of the declaration the DOM writes, its line ends and its ending.
class XmlLayoutWriter {
 public:
  // Writes into the sink, which must outlive the writer.
  XmlLayoutWriter(const XmlFileLayout& layout, const ByteSink& sink)
      : layout_(layout), sink_(sink) {}

  // False when the sink refused, or when the DOM wrote the declaration in bytes that are not
  // ASCII (UTF-7 does), which no parser would read back.
  [[nodiscard]] bool Put(std::string_view bytes);
  // After the last bytes.
  [[nodiscard]] bool Finish();

 private:
  // True once the DOM's own declaration is passed; `head_` then holds what follows it.
  bool PassDeclaration(bool at_end);
  bool PutBody(std::string_view bytes);

  const XmlFileLayout& layout_;
  const ByteSink& sink_;
  bool started_ = false;
  bool failed_ = false;
  std::string head_;
  // Blanks that may end the document.
  std::string pending_blanks_;
  std::string out_;
};

}  // namespace tovrel
