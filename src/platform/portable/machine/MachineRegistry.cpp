#include "platform/portable/machine/MachineRegistry.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/posix/RegularFile.h"
#include "platform/regfile/RegFile.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

std::vector<std::filesystem::path> RegFiles(const std::filesystem::path& machine) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(machine / "registry", error)) {
    if (entry.path().extension() == ".reg" && entry.is_regular_file(error)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// What identifies one state of the machine's registry files: the folder, and each file's name,
// size and modification time.
std::string Stamp(const std::filesystem::path& machine) {
  std::string stamp = machine.string();
  for (const auto& file : RegFiles(machine)) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    const auto time = std::filesystem::last_write_time(file, error);
    stamp += '\n' + file.filename().string() + ' ' + std::to_string(size) + ' ' +
             std::to_string(time.time_since_epoch().count());
  }
  return stamp;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::optional<std::string> bytes = ReadRegularFile(file.string());
  if (!bytes) throw RegistryError(FromUtf8(file.string() + ": cannot be read"));
  return std::move(*bytes);
}

class MachineKey final : public RegistryKey {
 public:
  MachineKey(std::shared_ptr<const RegistryTree> tree, const RegistryTree::Key& key)
      : tree_(std::move(tree)), key_(key) {}

  [[nodiscard]] WideText ReadString(WideView value_name) const override {
    return ReadStringValue(key_, value_name);
  }

  [[nodiscard]] std::vector<WideText> GetKeyNames() const override {
    std::vector<WideText> names;
    names.reserve(key_.subkeys.size());
    for (const auto& [name, subkey] : key_.subkeys) names.push_back(name);
    return names;
  }

 private:
  // Keeps the tree alive while the key is open, even when the machine is loaded again.
  std::shared_ptr<const RegistryTree> tree_;
  const RegistryTree::Key& key_;
};

}  // namespace

std::shared_ptr<const RegistryTree> LoadMachineRegistry(const std::filesystem::path& machine,
                                                        const AnsiCodePage& code_page) {
  auto tree = std::make_shared<RegistryTree>();
  if (machine.empty()) return tree;
  for (const auto& file : RegFiles(machine)) {
    try {
      ApplyRegFile(*tree, ReadFile(file), code_page, file.string());
    } catch (const RegFileError& error) {
      throw RegistryError(FromUtf8(error.what()));
    }
  }
  return tree;
}

MachineRegistry::MachineRegistry(const AnsiCodePage& code_page) : code_page_(code_page) {}

std::shared_ptr<const RegistryTree> MachineRegistry::Current() const {
  if (current_in_call_) return loaded_;
  const std::filesystem::path machine = MachineRoot();
  std::string stamp = Stamp(machine);
  if (!loaded_ || stamp != loaded_stamp_) {
    loaded_ = LoadMachineRegistry(machine, code_page_);
    loaded_stamp_ = std::move(stamp);
  }
  current_in_call_ = call_depth_ > 0;
  return loaded_;
}

void MachineRegistry::BeginCall() const {
  if (call_depth_++ == 0) current_in_call_ = false;
}

void MachineRegistry::EndCall() const {
  if (--call_depth_ == 0) current_in_call_ = false;
}

std::unique_ptr<RegistryKey> MachineRegistry::OpenKey(RegistryRoot root, WideView path) const {
  std::shared_ptr<const RegistryTree> tree = Current();
  const RegistryTree::Key* key = tree->Find(root, path);
  if (key == nullptr) return nullptr;
  return std::make_unique<MachineKey>(std::move(tree), *key);
}

}  // namespace tovrel::portable
