// Feeds arbitrary bytes to the .reg reader and reads back every key it made.
#include <cstdint>
#include <string_view>

#include "platform/Platform.h"
#include "platform/regfile/RegFile.h"

namespace {

void ReadAll(const tovrel::RegistryTree::Key& key) {
  for (const auto& [name, value] : key.values) {
    try {
      static_cast<void>(tovrel::ReadStringValue(key, name));
    } catch (const tovrel::RegistryError&) {
      // Values that are not text are refused by design.
    }
  }
  for (const auto& [name, subkey] : key.subkeys) ReadAll(*subkey);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tovrel::Platform platform = tovrel::MakePlatform();
  tovrel::RegistryTree tree;
  try {
    tovrel::ApplyRegFile(tree, std::string_view(reinterpret_cast<const char*>(data), size),
                         *platform.code_page, "fuzz.reg");
  } catch (const tovrel::RegFileError&) {
    // Malformed files are the expected way to fail.
  }
  for (const auto root : {tovrel::RegistryRoot::kCurrentUser, tovrel::RegistryRoot::kLocalMachine,
                          tovrel::RegistryRoot::kClassesRoot, tovrel::RegistryRoot::kUsers,
                          tovrel::RegistryRoot::kCurrentConfig}) {
    if (const auto* key = tree.Find(root, u"")) ReadAll(*key);
  }
  return 0;
}
