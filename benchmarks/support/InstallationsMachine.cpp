#include "support/InstallationsMachine.h"

#include <stdlib.h>

#include <array>
#include <fstream>
#include <random>
#include <string>

namespace tovrel::bench {
namespace {

namespace fs = std::filesystem;

struct Edition {
  const char* root;
  const char* key;
  const char* style;  // "machine", "user" or "ferrolin"
  const char* product;
};

// In the order of TProductEdition.
constexpr std::array<Edition, 16> kEditions{{
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL900", "machine", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL901", "machine", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL910", "machine", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL911", "machine", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL920", "machine", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\VL921", "machine", "Velm"},
    {"HKEY_CURRENT_USER", "Ostrik\\VL930", "user", "Velm"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS900", "machine", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS901", "machine", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS910", "machine", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS911", "machine", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS920", "machine", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Ostrik\\AS921", "machine", "Astr"},
    {"HKEY_CURRENT_USER", "Ostrik\\AS930", "user", "Astr"},
    {"HKEY_LOCAL_MACHINE", "Delvar\\Ferrolin101", "ferrolin", ""},
    {"HKEY_LOCAL_MACHINE", "Delvar\\Ferrolin110", "ferrolin", ""},
}};

}  // namespace

InstallationsMachine::InstallationsMachine(int installations)
    : root_(fs::temp_directory_path() / "tovrel-bench" / std::to_string(std::random_device()())) {
  fs::create_directories(root_ / "registry");
  std::ofstream reg(root_ / "registry" / "products.reg", std::ios::binary);
  reg << "REGEDIT4\r\n\r\n";
  for (int i = 0; i < installations; ++i) {
    const Edition& edition = kEditions[static_cast<std::size_t>(i) % kEditions.size()];
    const std::string name = std::to_string(i);
    std::string key = edition.root;
    key.append("\\SOFTWARE\\").append(edition.key).append("\\").append(name);
    std::string dir = "M:\\\\Apps\\\\";
    dir.append(name);
    const fs::path folder = root_ / "drives" / "m" / "Apps" / name;
    fs::create_directories(folder);
    const std::string style = edition.style;
    if (style == "ferrolin") {
      reg << "[" << key << "]\r\n\"szablony\"=\"" << dir << "\\\\Szablony\"\r\n";
      fs::create_hard_link(TOVREL_BENCH_EXECUTABLE, folder / "Ferrolin.exe");
      continue;
    }
    if (style == "user") {
      reg << "[" << key << "\\Program]\r\n\"Program\"=\"" << dir << "\"\r\n";
    } else {
      reg << "[" << key << "]\r\n\"Sciezka\"=\"" << dir << "\"\r\n";
    }
    const fs::path base = folder / edition.product;
    std::ofstream(fs::path(base) += "_Prog.vba") << "";
    std::ofstream(fs::path(base) += ".ini") << "[Program]\r\nNumer=" << i + 1 << "\r\n";
    fs::create_hard_link(TOVREL_BENCH_EXECUTABLE, fs::path(base) += ".ver");
  }
  Use();
}

void InstallationsMachine::Use() const {
  setenv("TOVREL_MACHINE", root_.c_str(), 1);
}

InstallationsMachine::~InstallationsMachine() {
  unsetenv("TOVREL_MACHINE");
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

}  // namespace tovrel::bench
