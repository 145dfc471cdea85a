// Listing every installation of the three products, as the report does, on sample machines with
// 250 to 2,000 registered installations spread over the sixteen editions. Each installation costs
// a few registry reads, file tests and one version read, so the time should grow linearly.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "detect/TMSI.h"
#include "platform/Platform.h"

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

// A sample machine with the installations, dealt to the editions in turn; each has its own
// folder on drive M with its marker, settings file and a version-carrying executable.
class InstallationsMachine {
 public:
  explicit InstallationsMachine(int installations)
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
    setenv("TOVREL_MACHINE", root_.c_str(), 1);
  }
  InstallationsMachine(const InstallationsMachine&) = delete;
  InstallationsMachine& operator=(const InstallationsMachine&) = delete;
  ~InstallationsMachine() {
    unsetenv("TOVREL_MACHINE");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

 private:
  fs::path root_;
};

void ListEveryInstallation(benchmark::State& state) {
  const auto installations = static_cast<int>(state.range(0));
  const InstallationsMachine machine(installations);
  const tovrel::Platform platform = tovrel::MakePlatform();
  const tovrel::TMSI msi(tovrel::DetectionSources{
      *platform.installer,
      tovrel::ConfigSources{*platform.code_page, *platform.profiles, *platform.registry,
                            *platform.crypto, tovrel::WideView()},
      *platform.files, *platform.versions, *platform.messages});
  for (auto _ : state) {
    std::size_t listed = 0;
    for (const auto& editions : {std::array<std::uint8_t, 7>{6, 5, 4, 3, 2, 1, 0},
                                 std::array<std::uint8_t, 7>{13, 12, 11, 10, 9, 8, 7}}) {
      tovrel::InstalledAppsList list;
      for (const std::uint8_t edition : editions) msi.ListInstallations(edition, list);
      listed += list.entries().size();
    }
    tovrel::InstalledAppsList ferrolin;
    msi.ListInstallations(tovrel::peFR110, ferrolin);
    msi.ListInstallations(tovrel::peFR101, ferrolin);
    listed += ferrolin.entries().size();
    if (listed != static_cast<std::size_t>(installations)) {
      state.SkipWithError("not every installation was listed");
    }
  }
  state.SetComplexityN(installations);
}

BENCHMARK(ListEveryInstallation)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
