#pragma once

#include "capture/MachineRecord.h"
#include "platform/FileSystem.h"
#include "platform/InstallerDatabase.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/VersionResources.h"

namespace tovrel::capture {

// Stand-ins for the platform services that the product lookups read. Each passes every read on
// to the real service, answers exactly what it answered, and notes what was read in the record.
// None of them changes anything: the one writing call, ReplaceFileUnlessChanged, is refused.

class RecordingRegistry final : public Registry {
 public:
  RecordingRegistry(const Registry& registry, MachineRecord& record)
      : registry_(registry), record_(record) {}
  [[nodiscard]] std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root,
                                                     WideView path) const override;

 private:
  const Registry& registry_;
  MachineRecord& record_;
};

class RecordingProfileFiles final : public ProfileFiles {
 public:
  RecordingProfileFiles(const ProfileFiles& profiles, MachineRecord& record)
      : profiles_(profiles), record_(record) {}
  [[nodiscard]] WideText ReadProfileString(WideView file_name, WideView section, WideView key,
                                           WideView default_value) const override;

 private:
  const ProfileFiles& profiles_;
  MachineRecord& record_;
};

class RecordingFileSystem final : public FileSystem {
 public:
  RecordingFileSystem(const FileSystem& files, MachineRecord& record)
      : files_(files), record_(record) {}
  [[nodiscard]] bool FileExists(WideView path) const override;
  [[nodiscard]] FileFacts Describe(WideView path) const override { return files_.Describe(path); }
  [[nodiscard]] std::optional<FileStamp> Stamp(WideView path) const override {
    return files_.Stamp(path);
  }
  [[nodiscard]] Replaced ReplaceFileUnlessChanged(
      WideView path, const ContentWriter& write,
      const std::optional<FileStamp>& loaded) const override;
  // A lock that holds nothing back: with every save refused, no change has to wait for another.
  [[nodiscard]] std::unique_ptr<FileChangeLock> LockForChange(
      WideView path, std::chrono::milliseconds wait) const override;

 private:
  const FileSystem& files_;
  MachineRecord& record_;
};

class RecordingVersionResources final : public VersionResources {
 public:
  RecordingVersionResources(const VersionResources& versions, MachineRecord& record)
      : versions_(versions), record_(record) {}
  [[nodiscard]] std::unique_ptr<const VersionInfo> Read(WideView file_name) const override;

 private:
  const VersionResources& versions_;
  MachineRecord& record_;
};

// Records the products whose properties or component paths were asked for. Enumerations are
// passed on unrecorded: which product a lookup looks into is what decides.
class RecordingInstallerDatabase final : public InstallerDatabase {
 public:
  RecordingInstallerDatabase(const InstallerDatabase& installer, MachineRecord& record)
      : installer_(installer), record_(record) {}
  [[nodiscard]] std::optional<WideText> EnumProducts(std::uint32_t index) const override;
  [[nodiscard]] std::optional<WideText> EnumComponents(std::uint32_t index) const override;
  [[nodiscard]] ComponentPath GetComponentPath(WideView product, WideView component) const override;
  [[nodiscard]] ComponentPath LocateComponent(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductCode(WideView component) const override;
  [[nodiscard]] std::optional<WideText> GetProductInfo(WideView product,
                                                       WideView property) const override;

 private:
  const InstallerDatabase& installer_;
  MachineRecord& record_;
};

}  // namespace tovrel::capture
