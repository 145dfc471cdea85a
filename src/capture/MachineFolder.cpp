#include "capture/MachineFolder.h"

#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>

#include "capture/RegFileText.h"
#include "capture/VersionCarrierImage.h"
#include "platform/regfile/PackedGuid.h"
#include "text/Utf16Le.h"
#include "text/Utf8.h"

namespace tovrel::capture {
namespace {

namespace fs = std::filesystem;

constexpr WideView kProducts = u"Software\\Classes\\Installer\\Products\\";
constexpr WideView kUserData =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\";

fs::path NativeRelative(WideView relative) {
  const std::string utf8 = ToUtf8(relative);
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsSlash(char16_t c) {
  return c == u'\\' || c == u'/';
}

// Where Windows paths lie below drives/: "X:\a\b" at "drives/x/a/b", as the sample machine reads
// them. Empty and "." components are skipped and ".." climbs, as Windows resolves them; a name
// met before in another case is spelled as it was first met.
class DrivePlacement {
 public:
  [[nodiscard]] std::optional<WideText> Place(WideView path) {
    const bool drive_path = path.size() >= 3 && UpperAscii(path[0]) >= u'A' &&
                            UpperAscii(path[0]) <= u'Z' && path[1] == u':' && IsSlash(path[2]);
    if (!drive_path) return std::nullopt;
    const char16_t letter = UpperAscii(path[0]);
    // The folded and the placed path of each folder on the way, the drive's root first.
    std::vector<std::pair<WideText, WideText>> way{
        {WideText(1, letter),
         u"drives/" + WideText(1, static_cast<char16_t>(letter - u'A' + u'a'))}};
    std::size_t start = 3;
    while (start <= path.size()) {
      std::size_t end = start;
      while (end < path.size() && !IsSlash(path[end])) ++end;
      const WideView component = path.substr(start, end - start);
      if (component == u"..") {
        if (way.size() == 1) return std::nullopt;
        climbed_.push_back(way.back().second);
        way.pop_back();
      } else if (!component.empty() && component != u".") {
        const WideText folded = way.back().first + u'\\' + FoldCase(component);
        const WideText& spelling = spellings_.try_emplace(folded, component).first->second;
        way.emplace_back(folded, way.back().second + u'/' + spelling);
      }
      start = end + 1;
    }
    if (way.size() == 1) return std::nullopt;
    return way.back().second;
  }

  // The folders that a path climbed out of with "..": the sample machine resolves ".." on the
  // disk, so they must exist there.
  [[nodiscard]] const std::vector<WideText>& climbed() const { return climbed_; }

 private:
  std::map<WideText, WideText> spellings_;
  std::vector<WideText> climbed_;
};

// The files to write below drives/, by their place; the most telling content wins a place that
// two reads share.
struct DriveFile {
  std::string bytes;
  std::string what;
  int weight = 0;
};

// A settings file holding only the values read, each in quotes so that blanks and quotes of its
// own survive the reading, in UTF-16LE so that any character does.
std::string ProfileBytes(const RecordedProfile& profile) {
  std::map<WideText, std::pair<WideText, WideText>> sections;
  for (const auto& [unused, value] : profile.values) {
    auto& [name, lines] = sections[FoldCase(value.section)];
    if (name.empty()) name = value.section;
    lines += value.key + u"=\"" + value.value + u"\"\r\n";
  }
  WideText text = u"\uFEFF";
  for (const auto& [unused, section] : sections) {
    text += u"[" + section.first + u"]\r\n" + section.second;
  }
  return EncodeUtf16Le(text);
}

std::string LookupsRegFile(const MachineRecord& record, std::size_t& values) {
  RegFileText reg;
  for (const auto& [unused, key] : record.keys) {
    reg.AddKey(key.root, key.path);
    for (const auto& [unused_name, value] : key.values) {
      if (value.text) {
        reg.AddString(value.name, *value.text);
      } else {
        reg.AddNonText(value.name);
      }
      ++values;
    }
  }
  return reg.Bytes();
}

// Windows Installer's per-machine layout, as the sample machine's installer database reads it.
std::string InstallerRegFile(const MachineRecord& record, std::size_t& products,
                             std::size_t& components) {
  RegFileText reg;
  for (const auto& [code, product] : record.products) {
    const auto packed = PackGuid(code);
    if (!packed) continue;
    ++products;
    reg.AddKey(RegistryRoot::kLocalMachine, WideText(kProducts) + *packed);
    reg.AddKey(RegistryRoot::kLocalMachine,
               WideText(kUserData) + u"Products\\" + *packed + u"\\InstallProperties");
    const auto name = product.properties.find(u"InstalledProductName");
    if (name != product.properties.end()) reg.AddString(u"DisplayName", name->second);
    const auto version = product.properties.find(u"VersionString");
    if (version != product.properties.end()) reg.AddString(u"DisplayVersion", version->second);
    for (const auto& [component, path] : product.component_paths) {
      const auto packed_component = PackGuid(component);
      if (!packed_component) continue;
      ++components;
      reg.AddKey(RegistryRoot::kLocalMachine,
                 WideText(kUserData) + u"Components\\" + *packed_component);
      reg.AddString(*packed, path);
    }
  }
  return reg.Bytes();
}

// A key path of the form "02:\Software\..." names a registry key, not a file.
bool IsRegistryKeyPath(WideView path) {
  return path.size() >= 3 && path[0] >= u'0' && path[0] <= u'9' && path[1] >= u'0' &&
         path[1] <= u'9' && path[2] == u':';
}

std::string FirewallText(const RecordedFirewall& firewall) {
  std::string text = "# The current profile's state; its authorised applications are not listed.\n";
  if (firewall.enabled)
    text += std::string("FirewallEnabled=") + (*firewall.enabled ? "1\n" : "0\n");
  if (firewall.exceptions_not_allowed) {
    text +=
        std::string("ExceptionsNotAllowed=") + (*firewall.exceptions_not_allowed ? "1\n" : "0\n");
  }
  return text;
}

void CheckEmpty(const fs::path& folder) {
  std::error_code error;
  if (!fs::exists(folder, error)) return;
  if (!fs::is_directory(folder, error) || !fs::is_empty(folder, error)) {
    throw std::runtime_error(
        "capture writes only into a new or empty folder, and this one is not: " + folder.string());
  }
}

class FolderWriter {
 public:
  explicit FolderWriter(fs::path folder) : folder_(std::move(folder)) {}

  void Write(WideView relative, const std::string& bytes, std::string what) {
    const fs::path path = folder_ / NativeRelative(relative);
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (error || !out) throw std::runtime_error("cannot write " + path.string());
    result_.written.push_back(CapturedFile{WideText(relative), std::move(what)});
  }

  void MakeFolder(WideView relative) {
    std::error_code error;
    fs::create_directories(folder_ / NativeRelative(relative), error);
    if (error)
      throw std::runtime_error("cannot make " + (folder_ / NativeRelative(relative)).string());
  }

  MachineFolder& result() { return result_; }

 private:
  fs::path folder_;
  MachineFolder result_;
};

}  // namespace

MachineFolder WriteMachineFolder(const MachineRecord& record, const fs::path& folder) {
  CheckEmpty(folder);
  FolderWriter writer(folder);
  DrivePlacement placement;
  std::map<WideText, DriveFile> drive_files;
  const auto place = [&](WideView path, DriveFile file) {
    const auto placed = placement.Place(path);
    if (!placed) {
      writer.result().not_placed.emplace_back(path);
      return;
    }
    DriveFile& existing = drive_files[*placed];
    if (file.weight > existing.weight || existing.what.empty()) existing = std::move(file);
  };

  for (const auto& [unused, file] : record.files) {
    if (file.version_resource) {
      place(file.path,
            {VersionCarrierImage(*file.version_resource),
             "version resource (" + std::to_string(file.version_resource->size()) + " bytes)", 3});
    } else if (file.exists) {
      place(file.path, {"", "exists (empty)", 1});
    }
  }
  for (const auto& [unused, profile] : record.profiles) {
    if (profile.values.empty()) continue;
    place(profile.path, {ProfileBytes(profile),
                         "settings (" + std::to_string(profile.values.size()) + " values)", 2});
  }
  for (const auto& [unused, product] : record.products) {
    for (const auto& [component, path] : product.component_paths) {
      if (IsRegistryKeyPath(path)) continue;
      // A folder as key path would need a folder that reads as a file: no drive can hold it.
      if (IsSlash(path.back())) {
        writer.result().not_placed.push_back(path);
      } else {
        place(path, {"", "installed component (empty)", 1});
      }
    }
  }

  std::size_t products = 0;
  std::size_t components = 0;
  const std::string installer = InstallerRegFile(record, products, components);
  writer.Write(u"registry/00-installer.reg", installer,
               "Windows Installer: " + std::to_string(products) + " products, " +
                   std::to_string(components) + " component paths");
  std::size_t values = 0;
  const std::string lookups = LookupsRegFile(record, values);
  writer.Write(u"registry/10-lookups.reg", lookups,
               std::to_string(record.keys.size()) + " keys, " + std::to_string(values) + " values");
  for (const auto& [path, file] : drive_files) writer.Write(path, file.bytes, file.what);
  for (const WideText& climbed : placement.climbed()) writer.MakeFolder(climbed);
  writer.Write(u"firewall.txt", FirewallText(record.firewall), "firewall state");
  return std::move(writer.result());
}

}  // namespace tovrel::capture
