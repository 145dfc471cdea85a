#include "support/DetectionMachine.h"

#include <cstdlib>
#include <fstream>

#include "support/VersionFixtures.h"

namespace tovrel::test {
namespace {

// Every key the product lookups read, deleted before each scenario is imported.
constexpr std::string_view kResetLines =
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik]\r\n"
    "[-HKEY_CURRENT_USER\\SOFTWARE\\Ostrik]\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Delvar]\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{05381030-963D-4779-BECA-0D7D49268EDB}]\r\n\r\n";

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
  std::string bytes = "REGEDIT4\r\n\r\n";
  bytes += kResetLines;
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
  return "[" + std::string(path) + "]\n";
}

std::string RegString(std::string_view name, std::string_view text) {
  std::string line = "\"" + std::string(name) + "\"=\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') line += '\\';
    line += c;
  }
  return line + "\"\n";
}

}  // namespace tovrel::test
