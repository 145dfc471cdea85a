// Feeds arbitrary documents and node paths to reading, adding and creating values. The input is
// a node path, a NUL byte, a value, a NUL byte and the document. Whenever XMLAddNode reports
// success, the saved file must load again and hold the value where reading finds the node.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFields.h"
#include "platform/Platform.h"
#include "text/Utf8.h"
#include "xmlsettings/ElementText.h"
#include "xmlsettings/NodePath.h"
#include "xmlsettings/SettingsFile.h"
#include "xmlsettings/XmlValues.h"

namespace {

const tovrel::Platform& ThePlatform() {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  return platform;
}

using tovrel::fuzz::NextField;

// The last component of a node path: components are separated by "\" while the rest of the
// path holds one, and by "." after that.
tovrel::WideView LastComponent(tovrel::WideView path) {
  for (;;) {
    const char16_t separator = path.find(u'\\') != tovrel::WideView::npos ? u'\\' : u'.';
    const std::size_t at = path.find(separator);
    if (at == tovrel::WideView::npos) return path;
    path.remove_prefix(at + 1);
  }
}

std::size_t CountElementsNamed(const tovrel::XmlNode& root, tovrel::WideView name) {
  std::size_t count = 0;
  std::vector<tovrel::XmlNodePtr> pending;
  pending.push_back(root.Clone());
  while (!pending.empty()) {
    const tovrel::XmlNodePtr node = std::move(pending.back());
    pending.pop_back();
    if (node->Kind() != tovrel::XmlNodeKind::kElement) continue;
    if (node->Name() == name) ++count;
    for (tovrel::XmlNodePtr child = node->FirstChild(); child; child = child->NextSibling()) {
      pending.push_back(child->Clone());
    }
  }
  return count;
}

bool PathFindsANode(const tovrel::Platform& platform, const tovrel::WideText& file,
                    tovrel::WideView path) {
  try {
    const auto document = tovrel::LoadSettingsFile(*platform.xml, file);
    return document && tovrel::XMLFindNode(*document->DocumentElement(), path) != nullptr;
  } catch (const tovrel::XmlDomError&) {
    return false;
  }
}

// After a reported success: the file loads, and the value reads back through the path wherever
// that is sure to name the node written. It is for a node that existed, since setting a text
// leaves every element in place; for a created one only while no other element has its name,
// as creation reuses elements that reading, stepping through direct children, does not reach.
// Whitespace-only text is not kept by design, so such values are not compared.
void CheckRoundTrip(const tovrel::Platform& platform, const tovrel::WideText& file,
                    tovrel::WideView path, tovrel::WideView value, bool existed) {
  const auto document = tovrel::LoadSettingsFile(*platform.xml, file);
  if (!document) __builtin_trap();
  if (value.find_first_not_of(u" \t\r\n") == tovrel::WideView::npos) return;
  const tovrel::XmlNodePtr root = document->DocumentElement();
  if (!existed && CountElementsNamed(*root, LastComponent(path)) != 1) return;
  const tovrel::XmlNodePtr node = tovrel::XMLFindNode(*root, path);
  if (!node) {
    if (existed) __builtin_trap();
    return;
  }
  if (tovrel::ReadElementText(*node) != value) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const tovrel::WideText path = tovrel::FromUtf8(NextField(input));
  const tovrel::WideText value = tovrel::FromUtf8(NextField(input));
  static const std::string file = "/tmp/tovrel-fuzz-" + std::to_string(getpid()) + ".xml";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(input.data(), static_cast<std::streamsize>(input.size()));

  const tovrel::Platform& platform = ThePlatform();
  const tovrel::WideText wide_file = tovrel::FromUtf8(file);
  static_cast<void>(tovrel::DoXMLGetNode(*platform.xml, wide_file, path));
  const bool existed = PathFindsANode(platform, wide_file, path);
  if (tovrel::DoXMLAddNode({*platform.xml, *platform.files}, wide_file, path, value) == 1) {
    CheckRoundTrip(platform, wide_file, path, value, existed);
  }
  static_cast<void>(tovrel::DoXMLGetNode(*platform.xml, wide_file, path));
  try {
    if (const auto document = tovrel::LoadSettingsFile(*platform.xml, wide_file)) {
      static_cast<void>(tovrel::XMLCreateNode(*document->DocumentElement(), path, value));
    }
  } catch (const tovrel::XmlDomError&) {
    // Refused names are the expected way for creation to fail.
  }
  return 0;
}
