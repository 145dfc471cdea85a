#include "platform/portable/machine/FirewallFile.h"

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/posix/RegularFile.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

constexpr std::string_view kApplicationKey = "Application";

struct Setting {
  std::string key;
  std::string value;
};

std::vector<Setting> ParseSettings(std::string_view text) {
  std::vector<Setting> settings;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.starts_with('#') || equals == std::string_view::npos) continue;
    settings.push_back({std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
  }
  return settings;
}

class FirewallFileProfile final : public FirewallProfile {
 public:
  FirewallFileProfile(const FileSystem& files, std::filesystem::path file, std::string text)
      : files_(files),
        file_(std::move(file)),
        text_(std::move(text)),
        settings_(ParseSettings(text_)) {}

  [[nodiscard]] bool HoldsApplication(WideView image_path) const override {
    for (const Setting& setting : settings_) {
      if (setting.key != kApplicationKey) continue;
      const std::string_view listed =
          std::string_view(setting.value).substr(0, setting.value.find('|'));
      if (EqualsIgnoreCase(FromUtf8(listed), image_path)) return true;
    }
    throw FirewallError("the firewall lists no such application");
  }

  [[nodiscard]] bool FirewallEnabled() const override { return Switch("FirewallEnabled"); }

  [[nodiscard]] bool ExceptionsNotAllowed() const override {
    return Switch("ExceptionsNotAllowed");
  }

  void AddApplication(const AuthorizedApplication& application) override {
    const std::string path = ToUtf8(application.process_image_file_name);
    const std::string name = ToUtf8(application.name);
    if (path.empty() || path.find_first_of("|\r\n") != std::string::npos ||
        name.find_first_of("|\r\n") != std::string::npos) {
      throw FirewallError("the firewall refuses the application's properties");
    }
    std::ostringstream line;
    line << kApplicationKey << '=' << path << '|' << name << '|'
         << static_cast<int>(application.scope) << '|' << static_cast<int>(application.ip_version)
         << '|' << (application.enabled ? -1 : 0) << '\n';
    std::string text = text_;
    if (!text.empty() && !text.ends_with('\n')) text += '\n';
    text += line.str();
    if (!files_.ReplaceFileContents(FromUtf8(file_.string()), text)) {
      throw FirewallError("the firewall refuses the application");
    }
    text_ = std::move(text);
    settings_ = ParseSettings(text_);
  }

 private:
  // The last line of the key decides, as a later line overrides an earlier one.
  [[nodiscard]] bool Switch(std::string_view key) const {
    const Setting* found = nullptr;
    for (const Setting& setting : settings_) {
      if (setting.key == key) found = &setting;
    }
    if (found == nullptr || (found->value != "0" && found->value != "1")) {
      throw FirewallError("the firewall state cannot be read");
    }
    return found->value == "1";
  }

  const FileSystem& files_;
  std::filesystem::path file_;
  std::string text_;
  std::vector<Setting> settings_;
};

}  // namespace

std::unique_ptr<FirewallProfile> FirewallFile::CurrentProfile() const {
  const std::filesystem::path root = MachineRoot();
  if (root.empty()) throw FirewallError("no machine, so no firewall");
  const std::filesystem::path file = root / "firewall.txt";
  std::optional<std::string> text = ReadRegularFile(file.string());
  if (!text) throw FirewallError("the firewall cannot be reached");
  return std::make_unique<FirewallFileProfile>(files_, file, std::move(*text));
}

}  // namespace tovrel::portable
