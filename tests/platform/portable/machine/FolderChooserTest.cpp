#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "shell/SelectFolder.h"
#include "support/SampleMachine.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedChooser.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

using test::ScopedEnv;

class FolderChooser : public testing::Test {
 protected:
  // The folder chosen through the worker, the chooser answering `answer` with `status`.
  WideText Choose(const std::string& answer, const char* status, WideView root = u"") {
    const ScopedEnv say("ANSWER", answer.c_str());
    const ScopedEnv exit("STATUS", status);
    return DoSelDirectory(*platform_.folders, u"Pick the data folder", root);
  }

  test::SampleMachine machine_;
  test::ScriptedChooser chooser_;
  ScopedEnv chooser_setting_{"TOVREL_FOLDER_CHOOSER", chooser_.program().c_str()};
  Platform platform_ = MakePlatform();
};

TEST_F(FolderChooser, TheCaptionIsTheTitleAndTheRootTheStartingFolder) {
  const auto apps = machine_.MakeDriveFolder("c/Apps");
  machine_.MakeDriveFolder("c/Apps/Data");
  EXPECT_EQ(Choose((apps / "Data").string(), "0", u"c:\\APPS"), u"C:\\Apps\\Data");
  EXPECT_EQ(chooser_.Arguments(),
            "--file-selection\n--directory\n--title=Pick the data folder\n"
            "--filename=" +
                apps.string() + "/\n");
  EXPECT_EQ(Choose(machine_.MakeDriveFolder("d").string() + "/", "0"), u"D:\\");
}

TEST_F(FolderChooser, ARootThatNamesNoFolderLeavesTheStartToTheChooser) {
  const test::TempDir outside;
  EXPECT_EQ(Choose(outside.path().string(), "0", u"Q:\\Missing"),
            test::LibraryPath(outside.path()));
  EXPECT_EQ(chooser_.Arguments(), "--file-selection\n--directory\n--title=Pick the data folder\n");
}

TEST_F(FolderChooser, CancelOrAnAnswerThatIsNoFolderGivesNothing) {
  const auto apps = machine_.MakeDriveFolder("c/Apps");
  EXPECT_EQ(Choose(apps.string(), "1", u"C:\\Apps"), u"");
  EXPECT_EQ(Choose("", "0"), u"");
  EXPECT_EQ(Choose((apps / "missing").string(), "0"), u"");
  EXPECT_EQ(Choose(chooser_.program().string(), "0"), u"");
  const ScopedEnv missing("TOVREL_FOLDER_CHOOSER", "/nonexistent/chooser");
  EXPECT_EQ(Choose(apps.string(), "0"), u"");
}

// The shell's browser cannot leave the folder at the top of its tree.
TEST_F(FolderChooser, AnAnswerOutsideTheRootIsCancel) {
  const auto apps = machine_.MakeDriveFolder("c/Apps");
  machine_.MakeDriveFolder("c/Apps/Data");
  const auto other = machine_.MakeDriveFolder("c/AppsOther");
  const auto drive_d = machine_.MakeDriveFolder("d");
  EXPECT_EQ(Choose(apps.string(), "0", u"C:\\Apps"), u"C:\\Apps");
  EXPECT_EQ(Choose((apps / "Data/../Data").string(), "0", u"C:\\Apps"), u"C:\\Apps\\Data");
  EXPECT_EQ(Choose(other.string(), "0", u"C:\\Apps"), u"");
  EXPECT_EQ(Choose((apps / "..").string(), "0", u"C:\\Apps"), u"");
  EXPECT_EQ(Choose(drive_d.string(), "0", u"C:\\"), u"");
  EXPECT_EQ(Choose("/etc", "0", u"C:\\"), u"");
  EXPECT_EQ(Choose(drive_d.string(), "0"), u"D:\\");
}

TEST_F(FolderChooser, WithoutAChooserOrADesktopTheUserCancels) {
  const ScopedEnv unset("TOVREL_FOLDER_CHOOSER", nullptr);
  const ScopedEnv display("DISPLAY", nullptr);
  const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  const test::ScriptedChooser zenity("zenity");
  const ScopedEnv path("PATH", zenity.folder().c_str());
  EXPECT_EQ(Choose(machine_.MakeDriveFolder("c").string(), "0"), u"");
}

TEST_F(FolderChooser, ADesktopSessionFindsZenityOrKdialogInThePath) {
  const ScopedEnv unset("TOVREL_FOLDER_CHOOSER", nullptr);
  const ScopedEnv display("DISPLAY", ":0");
  const auto data = machine_.MakeDriveFolder("c/Data");
  const test::ScriptedChooser kdialog("kdialog");
  {
    const ScopedEnv path("PATH", kdialog.folder().c_str());
    EXPECT_EQ(Choose(data.string(), "0", u"C:\\Data"), u"C:\\Data");
    EXPECT_EQ(kdialog.Arguments(),
              "--title\nPick the data folder\n--getexistingdirectory\n" + data.string() + "\n");
  }
  const test::ScriptedChooser zenity("zenity");
  const std::string both = zenity.folder().string() + ":" + kdialog.folder().string();
  const ScopedEnv path("PATH", both.c_str());
  EXPECT_EQ(Choose(data.string(), "0"), u"C:\\Data");
  EXPECT_EQ(zenity.Arguments(), "--file-selection\n--directory\n--title=Pick the data folder\n");
}

TEST_F(FolderChooser, SelectFolderOpensOnAnExistingInitialFolderAndKeepsItOnCancel) {
  const auto data = machine_.MakeDriveFolder("c/Apps/Data");
  const ScopedEnv exit("STATUS", "1");
  WideText directory = u"C:\\Apps\\Data";
  EXPECT_FALSE(
      SelectFolder(*platform_.folders, u"t", u"C:\\Apps", directory, kSelDirectoryOptions));
  EXPECT_EQ(directory, u"C:\\Apps\\Data");
  EXPECT_NE(chooser_.Arguments().find("--filename=" + data.string() + "/\n"), std::string::npos);

  directory = u"C:\\Apps\\Missing";
  EXPECT_FALSE(SelectFolder(*platform_.folders, u"t", u"", directory, kSelDirectoryOptions));
  EXPECT_EQ(directory, u"C:\\Apps\\Missing");
  EXPECT_EQ(chooser_.Arguments().find("--filename"), std::string::npos);
}

TEST_F(FolderChooser, SelectFolderReplacesTheDirectoryWithTheChoice) {
  const auto data = machine_.MakeDriveFolder("c/Apps/Data");
  const ScopedEnv say("ANSWER", data.c_str());
  const ScopedEnv exit("STATUS", "0");
  WideText directory = u"C:\\Apps";
  EXPECT_TRUE(SelectFolder(*platform_.folders, u"t", u"", directory, kSelDirectoryOptions));
  EXPECT_EQ(directory, u"C:\\Apps\\Data");
}

}  // namespace
}  // namespace tovrel
