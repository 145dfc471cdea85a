// The recording stand-ins answer exactly as the services they stand for, and note what a reader
// could tell apart: a value that is not text, a settings key that holds the empty text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "capture/RecordingSources.h"
#include "platform/Platform.h"
#include "support/SampleMachine.h"

namespace tovrel {
namespace {

constexpr WideView kIni = u"C:\\App\\App.ini";

class RecordingSourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(machine_.root() / "registry");
    std::ofstream(machine_.root() / "registry/a.reg", std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\App\\One]\r\n"
           "\"Path\"=\"C:\\\\App\"\r\n\"Count\"=dword:00000005\r\n";
    std::ofstream(machine_.MakeDriveFolder("c/App") / "App.ini", std::ios::binary)
        << "[Program]\r\nEmpty=\r\nNumer=7\r\n";
  }

  test::SampleMachine machine_;
  Platform platform_ = MakePlatform();
  capture::MachineRecord record_;
};

TEST_F(RecordingSourcesTest, RegistryValuesAndSubkeys) {
  const capture::RecordingRegistry registry(*platform_.registry, record_);
  const auto app = registry.OpenKey(RegistryRoot::kLocalMachine, u"\\SOFTWARE\\App");
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(app->GetKeyNames(), std::vector<WideText>{u"One"});
  const auto one = registry.OpenKey(RegistryRoot::kLocalMachine, u"SOFTWARE\\App\\One");
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->ReadString(u"path"), u"C:\\App");
  EXPECT_THROW(static_cast<void>(one->ReadString(u"Count")), RegistryError);
  EXPECT_EQ(one->ReadString(u"Missing"), u"");
  EXPECT_EQ(registry.OpenKey(RegistryRoot::kLocalMachine, u"SOFTWARE\\Gone"), nullptr);

  ASSERT_EQ(record_.keys.size(), 2U);
  const capture::RecordedKey& recorded =
      record_.Key(RegistryRoot::kLocalMachine, u"software\\app\\one");
  EXPECT_EQ(recorded.path, u"SOFTWARE\\App\\One");
  ASSERT_EQ(recorded.values.size(), 2U);
  EXPECT_EQ(recorded.values.at(FoldCase(u"Path")).text, u"C:\\App");
  EXPECT_EQ(recorded.values.at(FoldCase(u"Count")).text, std::nullopt);
}

TEST_F(RecordingSourcesTest, SettingsKeysThatHoldTheEmptyTextAreTold) {
  const capture::RecordingProfileFiles profiles(*platform_.profiles, record_);
  EXPECT_EQ(profiles.ReadProfileString(kIni, u"Program", u"Empty", u"0"), u"");
  EXPECT_EQ(profiles.ReadProfileString(kIni, u"Program", u"Numer", u"0"), u"7");
  EXPECT_EQ(profiles.ReadProfileString(kIni, u"Program", u"Missing", u"0  "), u"0");
  const auto& values = record_.Profile(kIni).values;
  ASSERT_EQ(values.size(), 2U);
  EXPECT_EQ(values.at({FoldCase(u"Program"), FoldCase(u"Empty")}).value, u"");
  EXPECT_EQ(values.at({FoldCase(u"Program"), FoldCase(u"Numer")}).value, u"7");
}

TEST_F(RecordingSourcesTest, FilesAreOnlyRead) {
  const capture::RecordingFileSystem files(*platform_.files, record_);
  EXPECT_TRUE(files.FileExists(kIni));
  EXPECT_FALSE(files.FileExists(u"C:\\App"));
  EXPECT_FALSE(files.ReplaceFileContents(kIni, "changed"));
  EXPECT_TRUE(record_.File(kIni).exists);
  EXPECT_FALSE(record_.File(u"C:\\App").exists);
  EXPECT_EQ(platform_.profiles->ReadProfileString(kIni, u"Program", u"Numer", u""), u"7");
}

}  // namespace
}  // namespace tovrel
