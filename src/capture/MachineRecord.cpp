#include "capture/MachineRecord.h"

namespace tovrel::capture {
namespace {

template <typename Map, typename Key>
auto& Entry(Map& map, const Key& key) {
  return map.try_emplace(key).first->second;
}

}  // namespace

RecordedKey& MachineRecord::Key(RegistryRoot root, WideView path) {
  RecordedKey& key = Entry(keys, std::pair(root, FoldCase(path)));
  if (key.path.empty()) {
    key.root = root;
    key.path = path;
  }
  return key;
}

RecordedProfile& MachineRecord::Profile(WideView path) {
  RecordedProfile& profile = Entry(profiles, FoldCase(path));
  if (profile.path.empty()) profile.path = path;
  return profile;
}

RecordedFile& MachineRecord::File(WideView path) {
  RecordedFile& file = Entry(files, FoldCase(path));
  if (file.path.empty()) file.path = path;
  return file;
}

RecordedProduct& MachineRecord::Product(WideView code) {
  RecordedProduct& product = Entry(products, WideText(code));
  if (product.code.empty()) product.code = code;
  return product;
}

}  // namespace tovrel::capture
