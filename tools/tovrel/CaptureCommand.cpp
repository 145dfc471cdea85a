// Only the Windows build captures: it reads the machine it runs on. The Linux build knows the
// command, to say so.
#ifdef _WIN32

#include <filesystem>
#include <string>

#include "Commands.h"
#include "capture/MachineCapture.h"
#include "capture/MachineFolder.h"
#include "platform/Platform.h"
#include "text/Utf8.h"

namespace tovrel::tool {
namespace {

std::filesystem::path FolderPath(WideView folder) {
  const std::string utf8 = ToUtf8(folder);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Writes the sample-machine folder of this machine and lists what it holds.
std::string Capture(const Arguments& arguments) {
  const Platform platform = MakePlatform();
  const AnsiCodePage& code_page = *platform.code_page;
  const capture::MachineRecord record = capture::CaptureMachine(platform);
  const capture::MachineFolder folder =
      capture::WriteMachineFolder(record, FolderPath(code_page.ToWide(arguments[0])));
  std::string listing;
  for (const capture::CapturedFile& file : folder.written) {
    listing += code_page.ToAnsi(file.path) + "  " + file.what + "\n";
  }
  for (const WideText& path : folder.not_placed) {
    listing += "not captured, on no drive: " + code_page.ToAnsi(path) + "\n";
  }
  const std::string number = std::to_string(code_page.Number());
  return listing + "ANSI code page " + number + ": replay with TOVREL_ACP=" + number;
}

const CommandRegistration kCapture{
    "capture",
    {"DIR", 1, [](const Arguments& a) { return Positive(Capture(a)); },
     "write this machine into DIR as a sample machine, to replay on Linux"}};

}  // namespace
}  // namespace tovrel::tool

#else

#include <stdexcept>

#include "Commands.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kCapture{
    "capture",
    {"DIR", 1,
     [](const Arguments&) -> Outcome {
       throw std::invalid_argument(
           "capture needs the Windows build (tovrel.exe): it writes the machine it runs on");
     },
     "write this machine into DIR as a sample machine (Windows build only)"}};

}  // namespace
}  // namespace tovrel::tool

#endif
