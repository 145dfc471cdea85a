#include "platform/RegistryAccessor.h"

namespace tovrel {

RegistryAccessor::RegistryAccessor(const Registry& registry, RegistryRoot root)
    : registry_(registry), root_(root) {}

bool RegistryAccessor::OpenKey(WideView path) {
  CloseKey();
  if (!path.empty() && path.front() == u'\\') path.remove_prefix(1);
  key_ = registry_.OpenKey(root_, path);
  if (key_) current_path_ = WideText(path);
  return key_ != nullptr;
}

WideText RegistryAccessor::ReadString(WideView value_name) const {
  return key_ ? key_->ReadString(value_name) : WideText();
}

void RegistryAccessor::GetKeyNames(std::vector<WideText>& list) const {
  list.clear();
  if (key_) list = key_->GetKeyNames();
}

void RegistryAccessor::CloseKey() {
  key_.reset();
  current_path_.clear();
}

}  // namespace tovrel
