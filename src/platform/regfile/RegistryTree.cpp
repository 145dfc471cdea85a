#include "platform/regfile/RegistryTree.h"

#include <algorithm>

#include "text/Utf16Le.h"

namespace tovrel {

bool IgnoreCaseLess::operator()(WideView a, WideView b) const {
  return CompareIgnoreCase(a, b) < 0;
}

std::vector<WideView> SplitKeyPath(WideView path) {
  std::vector<WideView> names;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find(u'\\'), path.size());
    if (end > 0) names.push_back(path.substr(0, end));
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return names;
}

RegistryTree::Key::~Key() {
  std::vector<std::unique_ptr<Key>> pending;
  const auto detach_subkeys = [&pending](Key& key) {
    for (auto& [name, subkey] : key.subkeys) pending.push_back(std::move(subkey));
    key.subkeys.clear();
  };
  detach_subkeys(*this);
  while (!pending.empty()) {
    const std::unique_ptr<Key> key = std::move(pending.back());
    pending.pop_back();
    detach_subkeys(*key);
  }
}

const RegistryTree::Key* RegistryTree::Find(RegistryRoot root, WideView path) const {
  switch (root) {
    case RegistryRoot::kClassesRoot:
    case RegistryRoot::kCurrentUser:
    case RegistryRoot::kLocalMachine:
    case RegistryRoot::kUsers:
    case RegistryRoot::kCurrentConfig:
      break;
    default:
      return nullptr;
  }
  // Every root exists, with or without keys.
  static const Key kEmptyRoot;
  const auto found_root = roots_.find(root);
  const Key* key = found_root == roots_.end() ? &kEmptyRoot : &found_root->second;
  for (WideView name : SplitKeyPath(path)) {
    const auto found = key->subkeys.find(name);
    if (found == key->subkeys.end()) return nullptr;
    key = found->second.get();
  }
  return key;
}

RegistryTree::Key& RegistryTree::Create(RegistryRoot root, WideView path) {
  Key* key = &roots_[root];
  for (WideView name : SplitKeyPath(path)) {
    auto found = key->subkeys.find(name);
    if (found == key->subkeys.end()) {
      found = key->subkeys.emplace(WideText(name), std::make_unique<Key>()).first;
    }
    key = found->second.get();
  }
  return *key;
}

void RegistryTree::Delete(RegistryRoot root, WideView path) {
  const std::vector<WideView> names = SplitKeyPath(path);
  // A root itself is never deleted, as Windows refuses to.
  if (names.empty()) return;
  const auto found_root = roots_.find(root);
  if (found_root == roots_.end()) return;
  Key* parent = &found_root->second;
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    const auto found = parent->subkeys.find(names[i]);
    if (found == parent->subkeys.end()) return;
    parent = found->second.get();
  }
  const auto found = parent->subkeys.find(names.back());
  if (found != parent->subkeys.end()) parent->subkeys.erase(found);
}

WideText ReadStringValue(const RegistryTree::Key& key, WideView value_name) {
  const auto found = key.values.find(value_name);
  if (found == key.values.end() || found->second.data.empty()) return {};
  const RegistryValue& value = found->second;
  if (value.type != kRegSz && value.type != kRegExpandSz) {
    throw RegistryError(u"Invalid data type for '" + WideText(value_name) + u"'");
  }
  WideText text = DecodeUtf16Le(value.data);
  text.resize(std::min(text.find(u'\0'), text.size()));
  return text;
}

}  // namespace tovrel
