#include "capture/RecordingSources.h"

#include <vector>

namespace tovrel::capture {
namespace {

WideView WithoutLeadingBackslashes(WideView path) {
  while (!path.empty() && path.front() == u'\\') path.remove_prefix(1);
  return path;
}

class RecordingKey final : public RegistryKey {
 public:
  RecordingKey(std::unique_ptr<RegistryKey> key, RegistryRoot root, WideText path,
               MachineRecord& record)
      : key_(std::move(key)), root_(root), path_(std::move(path)), record_(record) {}

  [[nodiscard]] WideText ReadString(WideView value_name) const override {
    RecordedKey& recorded = record_.Key(root_, path_);
    try {
      WideText text = key_->ReadString(value_name);
      if (!text.empty()) {
        recorded.values.insert_or_assign(FoldCase(value_name),
                                         RecordedValue{WideText(value_name), text});
      }
      return text;
    } catch (const RegistryError&) {
      recorded.values.insert_or_assign(FoldCase(value_name),
                                       RecordedValue{WideText(value_name), std::nullopt});
      throw;
    }
  }

  [[nodiscard]] std::vector<WideText> GetKeyNames() const override {
    std::vector<WideText> names = key_->GetKeyNames();
    for (const WideText& name : names) record_.Key(root_, path_ + u'\\' + name);
    return names;
  }

 private:
  std::unique_ptr<RegistryKey> key_;
  RegistryRoot root_;
  WideText path_;
  MachineRecord& record_;
};

// A default that no profile value holds, to tell a missing key from one that holds the default.
constexpr WideView kMissing = u"\u0001tovrel: no such key\u0001";

}  // namespace

std::unique_ptr<RegistryKey> RecordingRegistry::OpenKey(RegistryRoot root, WideView path) const {
  auto key = registry_.OpenKey(root, path);
  if (!key) return nullptr;
  const WideView stripped = WithoutLeadingBackslashes(path);
  // A root itself is no key a .reg file can name; no lookup reads one.
  if (stripped.empty()) return key;
  record_.Key(root, stripped);
  return std::make_unique<RecordingKey>(std::move(key), root, WideText(stripped), record_);
}

WideText RecordingProfileFiles::ReadProfileString(WideView file_name, WideView section,
                                                  WideView key, WideView default_value) const {
  const WideText value = profiles_.ReadProfileString(file_name, section, key, kMissing);
  if (value == kMissing) {
    return profiles_.ReadProfileString(file_name, section, key, default_value);
  }
  record_.Profile(file_name).values.insert_or_assign(
      std::pair(FoldCase(section), FoldCase(key)),
      RecordedProfileValue{WideText(section), WideText(key), value});
  return value;
}

bool RecordingFileSystem::FileExists(WideView path) const {
  const bool exists = files_.FileExists(path);
  RecordedFile& file = record_.File(path);
  file.exists = file.exists || exists;
  return exists;
}

Replaced RecordingFileSystem::ReplaceFileUnlessChanged(WideView, const ContentWriter&,
                                                       const std::optional<FileStamp>&) const {
  return Replaced::kFailed;
}

std::unique_ptr<FileChangeLock> RecordingFileSystem::LockForChange(
    WideView, std::chrono::milliseconds) const {
  return std::make_unique<FileChangeLock>();
}

std::unique_ptr<const VersionInfo> RecordingVersionResources::Read(WideView file_name) const {
  auto info = versions_.Read(file_name);
  if (info) {
    const auto bytes = info->ResourceBytes();
    record_.File(file_name).version_resource.emplace(bytes.begin(), bytes.end());
  }
  return info;
}

std::optional<WideText> RecordingInstallerDatabase::EnumProducts(std::uint32_t index) const {
  return installer_.EnumProducts(index);
}

std::optional<WideText> RecordingInstallerDatabase::EnumComponents(std::uint32_t index) const {
  return installer_.EnumComponents(index);
}

ComponentPath RecordingInstallerDatabase::GetComponentPath(WideView product,
                                                           WideView component) const {
  ComponentPath path = installer_.GetComponentPath(product, component);
  RecordedProduct& recorded = record_.Product(product);
  if (path.state == InstallState::kLocal || path.state == InstallState::kSource) {
    recorded.component_paths.insert_or_assign(WideText(component), path.path);
  }
  return path;
}

ComponentPath RecordingInstallerDatabase::LocateComponent(WideView component) const {
  return installer_.LocateComponent(component);
}

std::optional<WideText> RecordingInstallerDatabase::GetProductCode(WideView component) const {
  return installer_.GetProductCode(component);
}

std::optional<WideText> RecordingInstallerDatabase::GetProductInfo(WideView product,
                                                                   WideView property) const {
  auto value = installer_.GetProductInfo(product, property);
  RecordedProduct& recorded = record_.Product(product);
  if (value) recorded.properties.insert_or_assign(WideText(property), *value);
  return value;
}

}  // namespace tovrel::capture
