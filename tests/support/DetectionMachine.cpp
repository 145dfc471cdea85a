#include "support/DetectionMachine.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <fstream>

#include "support/VersionFixtures.h"
#ifdef _WIN32
#include "platform/win32/UniqueAny.h"
#endif

namespace tovrel::test {
namespace {

#ifdef _WIN32
// Every key the product lookups read, by its parent and name, deleted before each scenario is
// imported. Wine's reg import leaves a "[-key]" line of the 32-bit view undone, so they are
// deleted here, in the process rather than by a reg.exe for each.
struct ProductKey {
  HKEY root;
  const wchar_t* parent;
  const wchar_t* name;
};
const ProductKey kProductKeys[] = {
    {HKEY_LOCAL_MACHINE, L"SOFTWARE", L"Ostrik"},
    {HKEY_CURRENT_USER, L"SOFTWARE", L"Ostrik"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE", L"Delvar"},
    {HKEY_CURRENT_USER, L"SOFTWARE", L"Delvar"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
     L"{05381030-963D-4779-BECA-0D7D49268EDB}"},
};

// Deletes the key with its subkeys from the 32-bit view; a key that is not there is as good.
void DeleteProductKey(const ProductKey& key) {
  HKEY parent = nullptr;
  if (RegOpenKeyExW(key.root, key.parent, 0, KEY_WOW64_32KEY | KEY_ALL_ACCESS, &parent) !=
      ERROR_SUCCESS) {
    return;
  }
  const win32::UniqueAny<HKEY, ::RegCloseKey> owned(parent);
  RegDeleteTreeW(owned.get(), key.name);
}
#endif

std::filesystem::path DriveRoot([[maybe_unused]] const TestRegistry& registry) {
#ifdef _WIN32
  return std::filesystem::path(u"M:\\");
#else
  return registry.machine() / "drives" / "m";
#endif
}

}  // namespace

DetectionMachine::DetectionMachine() {
  const std::filesystem::path root = DriveRoot(registry_);
  std::error_code ignored;
  if (std::filesystem::exists(root, ignored)) {
    for (const auto& entry : std::filesystem::directory_iterator(root, ignored)) {
      std::filesystem::remove_all(entry.path(), ignored);
    }
  }
  std::filesystem::create_directories(root, ignored);
}

bool DetectionMachine::Available() {
#ifdef _WIN32
  return std::getenv("TOVREL_DETECTION_DRIVE") != nullptr;
#else
  return true;
#endif
}

bool DetectionMachine::SetRegistry(std::string_view lines) const {
#ifdef _WIN32
  for (const ProductKey& key : kProductKeys) DeleteProductKey(key);
#endif
  std::string bytes = "REGEDIT4\r\n\r\n";
  for (const char c : lines) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return registry_.Import("products", bytes);
}

std::filesystem::path DetectionMachine::Native(std::string_view path) const {
  std::string relative(path);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  return (DriveRoot(registry_) / relative).make_preferred();
}

void DetectionMachine::Write(std::string_view path, std::string_view bytes) const {
  const std::filesystem::path file = Native(path);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void DetectionMachine::MakeFolder(std::string_view path) const {
  std::filesystem::create_directories(Native(path));
}

void DetectionMachine::CopyFixture(std::string_view fixture, std::string_view path) const {
  const std::filesystem::path file = Native(path);
  std::filesystem::create_directories(file.parent_path());
  std::filesystem::copy_file(VersionFixture(fixture, "x86_64"), file,
                             std::filesystem::copy_options::overwrite_existing);
}

std::string RegKey(std::string_view path) {
  std::string line = "[";
  line += path;
  line += "]\n";
  return line;
}

std::string RegString(std::string_view name, std::string_view text) {
  std::string line = "\"";
  line += name;
  line += "\"=\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') line += '\\';
    line += c;
  }
  return line + "\"\n";
}

}  // namespace tovrel::test
