#include "support/DetectionMachine.h"

#include <cstdlib>
#include <fstream>

#include "support/VersionFixtures.h"

namespace tovrel::test {
namespace {

#ifdef _WIN32
// Every key the product lookups read, deleted before each scenario is imported. Wine's reg import
// leaves a "[-key]" line of the 32-bit view undone, so they are deleted with reg delete.
constexpr std::u16string_view kProductKeys[] = {
    u"HKLM\\SOFTWARE\\Ostrik",
    u"HKCU\\SOFTWARE\\Ostrik",
    u"HKLM\\SOFTWARE\\Delvar",
    u"HKCU\\SOFTWARE\\Delvar",
    u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    u"{05381030-963D-4779-BECA-0D7D49268EDB}",
};
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
  for (const std::u16string_view key : kProductKeys) {
    // A key that is not there yet makes reg delete fail, which is as good.
    RunSystemProgram(u"reg.exe delete \"" + std::u16string(key) + u"\" /reg:32 /f");
  }
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
