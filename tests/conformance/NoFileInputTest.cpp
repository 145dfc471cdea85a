#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "detect/InstalledAppsList.h"
#include "fileutil/DirectoryEmpty.h"
#include "fileutil/VersionInfo.h"
#include "platform/DevicePath.h"
#include "platform/Platform.h"
#include "reasons/XmlReasons.h"
#include "support/TestFiles.h"
#include "text/Utf8.h"
#include "xmlsettings/InstalledAppsReport.h"
#include "xmlsettings/XmlValues.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tovrel {
namespace {

// A path that names no file: a FIFO with no writer and a device that never ends on Linux, a
// named pipe with a listening server on Windows. Whatever reads it must not wait on it.
class NoFile {
 public:
  virtual ~NoFile() = default;
  [[nodiscard]] virtual WideText Path() const = 0;
  // Lets a reader that blocked on the path go, so that a failing test ends.
  virtual void Release() const {}
  // Whether anything opened the path, where that can be seen.
  [[nodiscard]] virtual bool WasOpened() const { return false; }
};

#ifdef _WIN32
class NamedPipe final : public NoFile {
 public:
  NamedPipe()
      : name_(u"\\\\.\\pipe\\tovrel-test-" + WidenAscii(std::to_string(GetCurrentProcessId()))),
        event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        pipe_(CreateNamedPipeW(reinterpret_cast<const wchar_t*>(name_.c_str()),
                               PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                               PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr)) {
    overlapped_.hEvent = event_;
    // Listens without blocking: a client's open completes the connection and sets the event.
    if (!ConnectNamedPipe(pipe_, &overlapped_) && GetLastError() == ERROR_PIPE_CONNECTED) {
      SetEvent(event_);
    }
  }
  NamedPipe(const NamedPipe&) = delete;
  NamedPipe& operator=(const NamedPipe&) = delete;
  ~NamedPipe() override {
    CancelIo(pipe_);
    CloseHandle(pipe_);
    CloseHandle(event_);
  }
  [[nodiscard]] bool Listening() const { return pipe_ != INVALID_HANDLE_VALUE; }
  [[nodiscard]] WideText Path() const override { return name_; }
  void Release() const override { DisconnectNamedPipe(pipe_); }
  [[nodiscard]] bool WasOpened() const override {
    return WaitForSingleObject(event_, 0) == WAIT_OBJECT_0;
  }

 private:
  WideText name_;
  HANDLE event_;
  HANDLE pipe_;
  OVERLAPPED overlapped_{};
};
#else
class Fifo final : public NoFile {
 public:
  explicit Fifo(const std::filesystem::path& path) : path_(path) { ::mkfifo(path.c_str(), 0644); }
  [[nodiscard]] WideText Path() const override { return test::LibraryPath(path_); }
  // A writer that comes and goes ends a read blocked in open() or read() with end of file.
  void Release() const override {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }

 private:
  std::filesystem::path path_;
};

class Device final : public NoFile {
 public:
  explicit Device(const char* path) : path_(path) {}
  [[nodiscard]] WideText Path() const override { return test::LibraryPath(path_); }

 private:
  const char* path_;
};
#endif

struct Operation {
  const char* name;
  // Whether the neutral answer came.
  std::function<bool(const Platform&, WideView)> answers_neutrally;
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"XMLGetNode",
       [](const Platform& p, WideView path) {
         return DoXMLGetNode(*p.xml, path, u"CONFIG.A") == u"Empty";
       }},
      {"XMLAddNode",
       [](const Platform& p, WideView path) {
         ChangeStop stop = ChangeStop::kSaved;
         return DoXMLAddNode({*p.xml, *p.files}, path, u"CONFIG.A", u"v", &stop) == 0 &&
                stop == ChangeStop::kNoLock;
       }},
      {"report section",
       [](const Platform& p, WideView path) {
         InstalledAppsList list;
         list.Add(u"C:\\App", u"App");
         return XMLWriteAppList({*p.xml, *p.files}, list, path, u"STARTUP.X") ==
                SectionWrite::kFailed;
       }},
      {"reason of XMLAddNode",
       [](const Platform& p, WideView path) {
         const Reasons reasons =
             XMLAddNodeReasons({*p.xml, *p.files}, path, u"A", u"v", ChangeStop::kNoLock);
         return reasons.size() == 1 &&
                reasons[0].text.ends_with(u" is no regular file (a pipe, socket or device)");
       }},
      {"reason of XMLGetNode",
       [](const Platform& p, WideView path) {
         const Reasons reasons = XMLGetNodeReasons({*p.xml, *p.files}, path, u"A");
         return reasons.size() == 1 &&
                reasons[0].text.ends_with(u" is no regular file (a pipe, socket or device)");
       }},
      {"IsDirectoryEmpty",
       [](const Platform& p, WideView path) {
         return CheckDirectoryEmpty(*p.directories, path) == DirectoryState::kNotADirectory;
       }},
      {"QueryVersionInfo",
       [](const Platform& p, WideView path) {
         return GetVersionInfoItem(*p.versions, path, u"FileVersion").empty() &&
                GetFileVersionNumber(*p.versions, path, true) == 0;
       }},
      {"profile reader",
       [](const Platform& p, WideView path) {
         return p.profiles->ReadProfileString(path, u"S", u"K", u"default") == u"default";
       }},
  };
  return operations;
}

// Runs every operation on the path and expects each to answer neutrally within a few seconds
// (they answer at once; the time only keeps a blocked one from stopping the suite) and to leave
// the path unopened where that shows.
void ExpectAnswersAtOnce(const NoFile& no_file) {
  const Platform platform = MakePlatform();
  for (const Operation& operation : Operations()) {
    SCOPED_TRACE(operation.name);
    auto answer = std::async(std::launch::async,
                             [&] { return operation.answers_neutrally(platform, no_file.Path()); });
    if (answer.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      ADD_FAILURE() << "still waiting on the path after 5 s";
      no_file.Release();
    }
    EXPECT_TRUE(answer.get());
    EXPECT_FALSE(no_file.WasOpened());
  }
}

// Device names are told by their text alone, alike on both builds; a file whose name only looks
// like one is a file.
TEST(NoFileInput, DeviceNamesAreToldFromFileNames) {
  const WideView devices[] = {u"\\\\.\\pipe\\x",
                              u"//./PhysicalDrive0",
                              u"\\\\?\\GLOBALROOT\\Device\\Null",
                              u"\\\\?\\pipe\\x",
                              u"\\\\?\\MailSlot\\m",
                              u"\\\\server\\PIPE\\x",
                              u"\\\\?\\UNC\\server\\pipe\\x",
                              u"\\\\server\\mailslot\\m",
                              u"\\?\?\\C:\\x.xml",
                              u"NUL",
                              u"C:\\dir\\con.xml",
                              u"c:nul",
                              u"C:\\dir\\COM1 .txt",
                              u"lpt9",
                              u"CONOUT$"};
  for (const WideView path : devices) EXPECT_TRUE(NamesDevice(path)) << ToUtf8(path);
  const WideView files[] = {u"C:\\pipe\\x.xml",
                            u"\\\\server\\share\\pipe\\x.xml",
                            u"C:\\dir\\console.xml",
                            u"C:\\dir\\COM10.txt",
                            u"C:\\dir\\nul\\x.xml",
                            u"\\\\?\\C:\\dir\\x.xml",
                            u"/tmp/settings.xml",
                            u"COM0",
                            u"",
                            u"\\\\server\\pipes\\x"};
  for (const WideView path : files) EXPECT_FALSE(NamesDevice(path)) << ToUtf8(path);
}

#ifdef _WIN32
TEST(NoFileInput, ANamedPipeIsNeverOpened) {
  const NamedPipe pipe;
  ASSERT_TRUE(pipe.Listening());
  ExpectAnswersAtOnce(pipe);
}
#else
TEST(NoFileInput, AFifoAndAnEndlessDeviceAnswerAtOnce) {
  const test::TempDir dir;
  ExpectAnswersAtOnce(Fifo(dir.path() / "settings.xml"));
  ExpectAnswersAtOnce(Device("/dev/zero"));
}
#endif

}  // namespace
}  // namespace tovrel
