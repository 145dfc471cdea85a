#include "platform/portable/machine/ChooserFolderBrowser.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/portable/machine/NativePath.h"
#include "platform/portable/machine/WindowsPath.h"
#include "platform/portable/posix/ChildProcess.h"
#include "text/Utf8.h"

namespace tovrel::portable {
namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

bool IsNativeFolder(const std::string& native) {
  std::error_code error;
  return !native.empty() && std::filesystem::is_directory(native, error);
}

// True when the folder is the root or lies below it, links resolved.
bool IsWithin(const std::string& folder, const std::string& root) {
  std::error_code error;
  const std::filesystem::path canonical_root = std::filesystem::canonical(root, error);
  if (error) return false;
  const std::filesystem::path canonical_folder = std::filesystem::canonical(folder, error);
  if (error) return false;
  const auto in_root = std::mismatch(canonical_root.begin(), canonical_root.end(),
                                     canonical_folder.begin(), canonical_folder.end())
                           .first;
  return in_root == canonical_root.end();
}

// The first of the programs found in PATH; empty when none is.
std::string FindInPath(const std::vector<std::string>& programs) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  for (const std::string& program : programs) {
    std::string_view rest = path;
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      const std::filesystem::path candidate =
          std::filesystem::path(rest.substr(0, colon)) / program;
      if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
  }
  return {};
}

std::string Chooser() {
  if (IsSet("TOVREL_FOLDER_CHOOSER")) return std::getenv("TOVREL_FOLDER_CHOOSER");
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) return {};
  return FindInPath({"zenity", "kdialog"});
}

// The folder the chooser opens in: the initial directory, else the root when it is a folder.
std::string StartFolder(const FolderBrowseRequest& request) {
  for (const WideText* candidate : {&request.initial_directory, &request.root}) {
    if (candidate->empty()) continue;
    const std::string native = NativePath(*candidate);
    if (IsNativeFolder(native)) return native;
  }
  return {};
}

std::vector<std::string> ChooserCommand(const std::string& chooser,
                                        const FolderBrowseRequest& request) {
  const std::string title = ToUtf8(request.caption);
  const std::string start = StartFolder(request);
  if (std::filesystem::path(chooser).filename().string().starts_with("kdialog")) {
    std::vector<std::string> command{chooser, "--title", title, "--getexistingdirectory"};
    if (!start.empty()) command.push_back(start);
    return command;
  }
  std::vector<std::string> command{chooser, "--file-selection", "--directory", "--title=" + title};
  // The trailing slash opens the chooser inside the folder rather than on it.
  if (!start.empty())
    command.push_back("--filename=" + (std::filesystem::path(start) / "").string());
  return command;
}

}  // namespace

bool ChooserFolderBrowser::IsExistingFolder(WideView path) const {
  return !path.empty() && IsNativeFolder(NativePath(path));
}

std::optional<WideText> ChooserFolderBrowser::Browse(const FolderBrowseRequest& request) const {
  const std::string chooser = Chooser();
  if (chooser.empty()) return std::nullopt;
  std::optional<std::string> output = RunForOutput(ChooserCommand(chooser, request));
  if (!output) return std::nullopt;
  while (!output->empty() && (output->back() == '\n' || output->back() == '\r')) {
    output->pop_back();
  }
  // Only an existing folder is an answer, and only one within the root the tree starts at, as
  // the shell's browser offers nothing else.
  if (!IsNativeFolder(*output)) return std::nullopt;
  const std::string root = request.root.empty() ? std::string() : NativePath(request.root);
  if (IsNativeFolder(root) && !IsWithin(*output, root)) return std::nullopt;
  return WindowsPath(*output);
}

}  // namespace tovrel::portable
