#include <windows.h>

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "platform/Platform.h"
#include "platform/save/SaveTemporary.h"
#include "support/TestFiles.h"
#include "text/Utf8.h"
#include "xmlsettings/XmlValues.h"

namespace tovrel {
namespace {

using test::ReadBytes;

FILETIME CreationTime(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
  return data.ftCreationTime;
}

// The file's security descriptor in SDDL: owner, group and DACL.
std::wstring Security(const std::filesystem::path& file) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const SECURITY_INFORMATION parts =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  if (GetNamedSecurityInfoW(file.c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                            &descriptor) != ERROR_SUCCESS) {
    return L"(unreadable)";
  }
  wchar_t* text = nullptr;
  std::wstring sddl = L"(unconvertible)";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts,
                                                           &text, nullptr)) {
    sddl = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return sddl;
}

TEST(Win32FileSystem, ASaveKeepsTheFilesAttributes) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R>old</R>");
  const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), attributes));
  ASSERT_TRUE(platform.files->ReplaceFileContents(test::LibraryPath(file), "<R>new</R>"));
  EXPECT_EQ(ReadBytes(file), "<R>new</R>");
  EXPECT_EQ(GetFileAttributesW(file.c_str()), attributes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The file stays the file it was: its creation time and security descriptor (an installer's
// own permissions on it) outlive the save; only the content is new.
TEST(Win32FileSystem, ASaveKeepsCreationTimeAndPermissions) {
  if (test::RunningUnderWine()) {
    GTEST_SKIP() << "Wine keeps neither a file's creation time nor its ACL when replacing it, "
                    "and holds no ACL beyond the Unix mode";
  }
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R>old</R>");
  // Users may modify this file, as an installer's "Permissions: users-modify" entry grants.
  PSECURITY_DESCRIPTOR wanted = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1301bf;;;BU)", SDDL_REVISION_1, &wanted, nullptr));
  ASSERT_TRUE(SetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, wanted));
  LocalFree(wanted);
  {
    const HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    const FILETIME year_2001{0xC89DC000u, 0x01C07385u};
    SetFileTime(handle, &year_2001, nullptr, nullptr);
    CloseHandle(handle);
  }
  const FILETIME created = CreationTime(file);
  const std::wstring security = Security(file);

  ASSERT_TRUE(platform.files->ReplaceFileContents(test::LibraryPath(file), "<R>new</R>"));
  EXPECT_EQ(ReadBytes(file), "<R>new</R>");
  const FILETIME created_after = CreationTime(file);
  EXPECT_EQ(CompareFileTime(&created, &created_after), 0);
  EXPECT_EQ(Security(file), security);
}

// A program that holds the file open without delete sharing keeps it from being replaced: the
// save fails and takes its temporary away. (Wine's ReplaceFileW leaves a file of its own, "rf…",
// behind in that case, so only ours are counted.)
TEST(Win32FileSystem, AFileHeldWithoutDeleteSharingStaysAsItWas) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R>old</R>");
  const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(platform.files->ReplaceFileContents(test::LibraryPath(file), "<R>new</R>"));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(file), "<R>old</R>");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with("~tovrel-")) << entry.path();
  }
}

// A temporary whose maker still runs may be between its writing and the replacement, closed
// but not yet moved: no other save removes it.
TEST(Win32FileSystem, TheTemporaryOfARunningSaveIsLeftAlone) {
  const Platform platform = MakePlatform();
  const test::TempDir dir;
  const auto file = dir.Write("settings.xml", "<R>old</R>");
  wchar_t process[16];
  wsprintfW(process, L"%lx", GetCurrentProcessId());
  const std::string running = ToUtf8(TemporaryNamePrefix(u"settings.xml")) +
                              std::filesystem::path(process).string() + "-7" +
                              ToUtf8(kTemporarySuffix);
  dir.Write(running, "<R>ha");
  ASSERT_TRUE(platform.files->ReplaceFileContents(test::LibraryPath(file), "<R>new</R>"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / running));
}

// A replacement that failed half way (ERROR_UNABLE_TO_MOVE_REPLACEMENT, and then the move as
// well) leaves the file's content only in its whole temporary: the next change puts the newest
// whole one back before it loads the file, and never takes one that may be cut short.
TEST(Win32FileSystem, AChangeOfAMissingFilePutsItsNewestWholeTemporaryBack) {
  const Platform platform = MakePlatform();
  const SettingsServices services{*platform.xml, *platform.files};
  const test::TempDir dir;
  const std::string prefix = ToUtf8(TemporaryNamePrefix(u"settings.xml")) + "fffffff0-";
  const std::string whole = ToUtf8(kWholeTemporarySuffix);
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& [name, bytes, age] :
       {std::tuple{prefix + "1" + whole, "<R><N>older</N></R>", 2},
        std::tuple{prefix + "2" + whole, "<R><N>newer</N></R>", 1},
        std::tuple{prefix + "3" + ToUtf8(kTemporarySuffix), "<R><N>cut sh", 0}}) {
    std::filesystem::last_write_time(dir.Write(name, bytes), now - std::chrono::hours(age));
  }
  const WideText file = test::LibraryPath(dir.path() / "settings.xml");
  EXPECT_EQ(DoXMLAddNode(services, file, u"KEY", u"added"), 1);
  EXPECT_EQ(DoXMLGetNode(*platform.xml, file, u"N"), u"newer");
  EXPECT_EQ(DoXMLGetNode(*platform.xml, file, u"KEY"), u"added");
}

}  // namespace
}  // namespace tovrel
