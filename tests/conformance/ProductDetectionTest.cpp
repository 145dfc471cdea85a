// The product lookups on sample machines: registry keys from REGEDIT4 text (the portable
// machine's files, or Wine's registry through reg import) and files on drive M:.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ProtectedPayloads.h"
#include "detect/TMSI.h"
#include "platform/Platform.h"
#include "support/DetectionMachine.h"
#include "support/ExplainedLookups.h"
#include "support/ListEntries.h"
#include "support/PlatformSources.h"

namespace tovrel {
namespace {

using test::RegKey;
using test::RegString;
using Entries = std::vector<WideText>;

std::string MachineWide(const std::string& edition, const std::string& subkey,
                        std::string_view dir) {
  return RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\" + edition + "\\" + subkey) +
         RegString("Sciezka", dir);
}

std::string PerUser(const std::string& edition, const std::string& subkey, std::string_view dir) {
  return RegKey("HKEY_CURRENT_USER\\SOFTWARE\\Ostrik\\" + edition + "\\" + subkey + "\\Program") +
         RegString("Program", dir);
}

std::string Ferrolin(const std::string& edition, const std::string& subkey,
                     std::string_view templates) {
  return RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Delvar\\" + edition + "\\" + subkey) +
         RegString("szablony", templates);
}

std::string Platnik(std::string_view location) {
  return RegKey(
             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
             "{05381030-963D-4779-BECA-0D7D49268EDB}") +
         RegString("InstallLocation", location);
}

std::string Protected(const test::ProtectedPayload& payload) {
  std::string text = "(";
  text += payload.payload;
  text += ')';
  return text;
}

class ProductDetection : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::DetectionMachine::Available()) GTEST_SKIP() << "run by the entry that gives M:";
  }
  // On every machine a test builds, the explanation names what the lookups answer.
  void TearDown() override {
    if (!IsSkipped()) test::ExpectExplanationsNameTheAnswers(test::DetectionSourcesOf(platform_));
  }

  void Registry(std::string_view lines) const { ASSERT_TRUE(machine_.SetRegistry(lines)); }

  // A program directory under M:\ with the product's marker file and settings file.
  void Program(const std::string& dir, std::string_view settings,
               std::string_view product = "Velm") const {
    machine_.Write(dir + "\\" + std::string(product) + "_Prog.vba", "");
    Settings(dir, settings, product);
  }
  void Settings(const std::string& dir, std::string_view settings,
                std::string_view product = "Velm") const {
    machine_.Write(dir + "\\" + std::string(product) + ".ini",
                   "[Program]\r\n" + std::string(settings));
  }

  [[nodiscard]] Entries List(std::initializer_list<TProductEdition> editions) const {
    InstalledAppsList list;
    for (const TProductEdition edition : editions) msi_.ListInstallations(edition, list);
    return test::ListEntries(list);
  }

  test::DetectionMachine machine_;
  Platform platform_ = MakePlatform();
  TMSI msi_{test::DetectionSourcesOf(platform_)};
};

constexpr std::initializer_list<TProductEdition> kVelmoraReport{peVL930, peVL921, peVL920, peVL911,
                                                                peVL910, peVL901, peVL900};
constexpr std::initializer_list<TProductEdition> kAstreloReport{peAS930, peAS921, peAS920, peAS911,
                                                                peAS910, peAS901, peAS900};

TEST_F(ProductDetection, TheNewestEditionWithAnInstallationWinsWithoutComparingScores) {
  Registry(PerUser("VL930", "A", "M:\\V930") + MachineWide("VL921", "A", "M:\\V921"));
  machine_.Write("V930\\Velm_Prog.vba", "");
  machine_.CopyFixture("v9_30_0_0", "V930\\Velm.ver");
  Program("V921", "Numer=5000\r\n");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\V930");

  WideText dir;
  std::int32_t best = 0;
  msi_.GetLastInstallDir(peVL930, dir, best);
  EXPECT_EQ(best, 930);
  msi_.GetLastInstallDir(peVL921, dir, best);
  EXPECT_EQ(dir, u"M:\\V921");
  EXPECT_EQ(best, 5000);
}

// Each older edition is asked only when every newer one found nothing, so the newer edition's
// installation wins even over a far higher score.
TEST_F(ProductDetection, EditionsAreAskedFromTheNewestDown) {
  for (const auto& [newer, older] :
       {std::pair{"VL921", "VL920"}, std::pair{"VL920", "VL911"}, std::pair{"VL911", "VL910"}}) {
    SCOPED_TRACE(std::string(newer) + " before " + older);
    Registry(MachineWide(older, "A", "M:\\Older") + MachineWide(newer, "A", "M:\\Newer"));
    Program("Older", "Numer=9000\r\n");
    Program("Newer", "Numer=1\r\n");
    EXPECT_EQ(FindLastVelmora(msi_), u"M:\\Newer");
  }
}

TEST_F(ProductDetection, OnlyAStrictlyGreaterScoreReplacesTheBest) {
  Registry(MachineWide("VL921", "A", "M:\\A") + MachineWide("VL921", "B", "M:\\B") +
           MachineWide("VL921", "C", "M:\\C") + PerUser("VL930", "A", "M:\\U1") +
           PerUser("VL930", "B", "M:\\U2") + PerUser("VL930", "C", "M:\\U3"));
  Program("A", "Numer=7\r\n");
  Program("B", "Numer=7\r\n");
  Program("C", "Numer=3\r\n");
  WideText dir;
  std::int32_t best = 0;
  msi_.GetLastInstallDir(peVL921, dir, best);
  EXPECT_EQ(dir, u"M:\\A");
  EXPECT_EQ(best, 7);

  // Per-user installations score by their version; one without a version scores 0.
  for (const char* user : {"U1", "U2", "U3"})
    machine_.Write(std::string(user) + "\\Velm_Prog.vba", "");
  machine_.CopyFixture("none", "U1\\Velm.ver");
  machine_.CopyFixture("v9_30_0_0", "U2\\Velm.ver");
  machine_.CopyFixture("v9_21_1_0", "U3\\Velm.ver");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\U2");
  EXPECT_EQ(List({peVL930}), (Entries{u"M:\\U2=Velmora 9.30`", u"M:\\U3=Velmora 9.21a"}));
}

TEST_F(ProductDetection, ZeroAndNegativeNumbersAreNeverLatestButNegativeIsListed) {
  Registry(MachineWide("VL921", "A", "M:\\Neg") + MachineWide("VL921", "B", "M:\\Zero") +
           MachineWide("VL921", "C", "M:\\NoNumber") + MachineWide("VL921", "D", "M:\\Text"));
  Program("Neg", "Numer=-4\r\nWersja=9.21\r\nWydanie=b\r\n");
  Program("Zero", "Numer=0\r\nWersja=9.21\r\n");
  Program("NoNumber", "Wersja=9.21\r\n");
  Program("Text", "Numer=many\r\n");
  EXPECT_EQ(FindLastVelmora(msi_), u"");
  EXPECT_EQ(List(kVelmoraReport), (Entries{u"M:\\Neg=Velmora 9.21b"}));
}

TEST_F(ProductDetection, TheListedVersionComesFromTheCarrierElseFromTheSettingsFile) {
  Registry(MachineWide("VL921", "A", "M:\\Carrier") + MachineWide("VL921", "B", "M:\\NoVersion") +
           MachineWide("VL921", "C", "M:\\Nothing"));
  Program("Carrier", "Numer=1\r\nWersja=8.00\r\nWydanie=c\r\n");
  machine_.CopyFixture("v9_21_1_0", "Carrier\\Velm.ver");
  Program("NoVersion", "Numer=2\r\nWersja=9.21\r\nWydanie=b\r\n");
  machine_.CopyFixture("none", "NoVersion\\Velm.ver");
  Program("Nothing", "Numer=3\r\n");
  EXPECT_EQ(List({peVL921}), (Entries{u"M:\\Carrier=Velmora 9.21a", u"M:\\NoVersion=Velmora 9.21b",
                                      u"M:\\Nothing=Velmora "}));
}

TEST_F(ProductDetection, OldEditionsAreListedButNeverTheLatest) {
  Registry(MachineWide("VL901", "A", "M:\\Old901") + MachineWide("VL900", "A", "M:\\Old900") +
           PerUser("AS930", "A", "M:\\As930") + MachineWide("AS901", "A", "M:\\As901"));
  Program("Old901", "Numer=5\r\n");
  Program("Old900", "Numer=5\r\n");
  machine_.Write("As930\\Astr_Prog.vba", "");
  machine_.CopyFixture("v9_30_0_0", "As930\\Astr.ver");
  Program("As901", "Numer=5\r\n", "Astr");
  EXPECT_EQ(FindLastVelmora(msi_), u"");
  EXPECT_EQ(FindLastAstrelo(msi_), u"");
  WideText dir;
  std::int32_t best = 0;
  msi_.GetLastInstallDir(peAS930, dir, best);
  msi_.GetLastInstallDir(std::uint8_t{peFR110 + 1}, dir, best);
  EXPECT_EQ(dir, u"");
  EXPECT_EQ(List({static_cast<TProductEdition>(peFR110 + 1)}), Entries{});
  EXPECT_EQ(List(kVelmoraReport), (Entries{u"M:\\Old901=Velmora ", u"M:\\Old900=Velmora "}));
  EXPECT_EQ(List(kAstreloReport), (Entries{u"M:\\As930=Astrelo 9.30`", u"M:\\As901=Astrelo "}));
}

TEST_F(ProductDetection, AstreloIsRecognisedByItsOwnFiles) {
  Registry(MachineWide("AS921", "A", "M:\\Astrelo") + MachineWide("AS921", "B", "M:\\Velmora"));
  Program("Astrelo", "Numer=3\r\n", "Astr");
  machine_.CopyFixture("v9_21_1_0", "Astrelo\\Astr.ver");
  Program("Velmora", "Numer=9\r\n");
  EXPECT_EQ(FindLastAstrelo(msi_), u"M:\\Astrelo");
  EXPECT_EQ(List(kAstreloReport), (Entries{u"M:\\Astrelo=Astrelo 9.21a"}));
}

TEST_F(ProductDetection, TheSettingsFileRedirectsARegisteredDirectoryWithoutTheMarker) {
  Registry(MachineWide("VL921", "A", "M:\\Old") + MachineWide("VL921", "B", "M:\\Old2") +
           MachineWide("VL921", "C", "M:\\Old3") + PerUser("VL930", "A", "M:\\OldUser"));
  Settings("Old", "Program=M:\\New\r\n");
  Program("New", "Numer=4\r\n");
  Settings("Old2", "Program=" + Protected(test::kRc4VelmoraRedirect) + "\r\n");
  Program("Velmora Moved", "Numer=3\r\n");
  Settings("Old3", "Program=M:\\Empty\r\n");
  machine_.MakeFolder("Empty");
  // The per-user style has no redirect: followed, it would reach the newest edition's only
  // installation, versioned and so scoring.
  Settings("OldUser", "Program=M:\\NewUser\r\n");
  machine_.Write("NewUser\\Velm_Prog.vba", "");
  machine_.CopyFixture("v9_30_0_0", "NewUser\\Velm.ver");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\New");
  EXPECT_EQ(List(kVelmoraReport), (Entries{u"M:\\New=Velmora ", u"M:\\Velmora Moved=Velmora "}));
}

TEST_F(ProductDetection, RegisteredDirectoriesFollowTheBracketRuleAndKeepTheirBackslash) {
  Registry(MachineWide("VL921", "A", Protected(test::kAesVelmoraDir)) +
           MachineWide("VL921", "B", "<M:\\Angled>") + MachineWide("VL921", "C", "M:\\Trailing\\"));
  Program("Velmora Enc", "Numer=2\r\n");
  Program("Angled", "Numer=1\r\n");
  Program("Trailing", "Numer=9\r\n");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\Trailing\\");
  EXPECT_EQ(List({peVL921}), (Entries{u"M:\\Velmora Enc=Velmora ", u"M:\\Angled=Velmora ",
                                      u"M:\\Trailing\\=Velmora "}));
}

TEST_F(ProductDetection, ADirectoryRegisteredTwiceIsListedOnce) {
  Registry(MachineWide("VL921", "A", "M:\\Shared") + MachineWide("VL920", "A", "m:\\SHARED") +
           Ferrolin("Ferrolin110", "A", "M:\\Fr\\Szablony") +
           Ferrolin("Ferrolin110", "B", "m:\\FR\\Szablony") +
           Ferrolin("Ferrolin101", "A", "M:\\fr\\Szablony"));
  Program("Shared", "Numer=1\r\n");
  machine_.CopyFixture("v9_21_1_0", "Shared\\Velm.ver");
  machine_.CopyFixture("v10_3_0_0", "Fr\\Ferrolin.exe");
  EXPECT_EQ(List(kVelmoraReport), (Entries{u"M:\\Shared=Velmora 9.21a"}));
  EXPECT_EQ(List({peFR110, peFR101}), (Entries{u"M:\\Fr=Ferrolin 10.03`"}));
}

TEST_F(ProductDetection, TheNewerFerrolinKeyWinsWhateverTheOlderOneScores) {
  Registry(Ferrolin("Ferrolin110", "A", "M:\\New\\Szablony") +
           Ferrolin("Ferrolin101", "A", "M:\\Old\\Szablony"));
  machine_.CopyFixture("v10_2_1_0", "New\\Ferrolin.exe");
  machine_.CopyFixture("v10_3_0_0", "Old\\Ferrolin.exe");
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\New\\Ferrolin.exe");
  EXPECT_EQ(List({peFR110, peFR101}),
            (Entries{u"M:\\New=Ferrolin 10.02a", u"M:\\Old=Ferrolin 10.03`"}));
}

TEST_F(ProductDetection, TheHighestFerrolinVersionWinsAndEqualScoresKeepTheFirst) {
  Registry(Ferrolin("Ferrolin101", "A", "M:\\A\\Szablony") +
           Ferrolin("Ferrolin101", "B", "M:\\B\\Szablony") +
           Ferrolin("Ferrolin101", "C", "M:\\C\\Szablony"));
  machine_.CopyFixture("v10_2_1_0", "A\\Ferrolin.exe");
  machine_.CopyFixture("v10_3_0_0", "B\\Ferrolin.exe");
  machine_.CopyFixture("v10_3_0_7", "C\\Ferrolin.exe");
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\B\\Ferrolin.exe");
  WideText path;
  std::int32_t best = 0;
  msi_.FindFerrolin(u"SOFTWARE\\Delvar\\Ferrolin101", path, false, best);
  EXPECT_EQ(best, 100300);
}

// The flag chooses the current user's keys in place of the machine's.
TEST_F(ProductDetection, FerrolinKeysOfTheCurrentUserAreReadWhenAsked) {
  Registry(RegKey("HKEY_CURRENT_USER\\SOFTWARE\\Delvar\\Ferrolin101\\A") +
           RegString("szablony", "M:\\User\\Szablony") +
           Ferrolin("Ferrolin101", "A", "M:\\Machine\\Szablony"));
  machine_.CopyFixture("v10_2_1_0", "User\\Ferrolin.exe");
  machine_.CopyFixture("v10_3_0_0", "Machine\\Ferrolin.exe");
  for (const bool user : {true, false}) {
    WideText path;
    std::int32_t best = 0;
    msi_.FindFerrolin(u"SOFTWARE\\Delvar\\Ferrolin101", path, user, best);
    EXPECT_EQ(path, user ? u"M:\\User\\Ferrolin.exe" : u"M:\\Machine\\Ferrolin.exe");
    EXPECT_EQ(best, user ? 100201 : 100300);
    InstalledAppsList list;
    msi_.ListFerrolin(u"SOFTWARE\\Delvar\\Ferrolin101", list, user);
    EXPECT_EQ(test::ListEntries(list),
              (Entries{user ? u"M:\\User=Ferrolin 10.02a" : u"M:\\Machine=Ferrolin 10.03`"}));
  }
}

TEST_F(ProductDetection, OnlyAVersionedFileBesideAnExactSzablonyCounts) {
  Registry(Ferrolin("Ferrolin110", "A", "M:\\Lower\\szablony") +
           Ferrolin("Ferrolin110", "B", "M:\\NoVersion\\Szablony") +
           Ferrolin("Ferrolin110", "C", "M:\\Folder\\Szablony") +
           Ferrolin("Ferrolin101", "A", "M:\\Szablony"));
  machine_.MakeFolder("Lower\\szablony");
  machine_.CopyFixture("v10_3_0_0", "Lower\\Ferrolin.exe");
  machine_.CopyFixture("none", "NoVersion\\Ferrolin.exe");
  machine_.MakeFolder("Folder\\Ferrolin.exe");
  machine_.CopyFixture("v10_2_1_0", "Ferrolin.exe");
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\Ferrolin.exe");
  EXPECT_EQ(List({peFR110, peFR101}), (Entries{u"M:\\=Ferrolin 10.02a"}));
}

TEST_F(ProductDetection, FerrolinValuesFollowTheBracketRule) {
  Registry(Ferrolin("Ferrolin110", "A", Protected(test::kAesFerrolinTemplates)) +
           Ferrolin("Ferrolin110", "B", "<M:\\Angled\\Szablony>"));
  machine_.CopyFixture("v10_3_0_0", "Ferrolin Enc\\Ferrolin.exe");
  machine_.CopyFixture("v10_2_1_0", "Angled\\Ferrolin.exe");
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\Ferrolin Enc\\Ferrolin.exe");
  EXPECT_EQ(List({peFR110}),
            (Entries{u"M:\\Ferrolin Enc=Ferrolin 10.03`", u"M:\\Angled=Ferrolin 10.02a"}));
}

TEST_F(ProductDetection, PlatnikIsFoundThroughItsUninstallEntry) {
  machine_.CopyFixture("v9_21_1_0", "Platnik\\p2.exe");
  machine_.CopyFixture("none", "NoVersion\\p2.exe");
  for (const char* location : {"M:\\Platnik", "M:\\Platnik\\"}) {
    Registry(Platnik(location));
    EXPECT_EQ(FindLastPlatnik(msi_), u"M:\\Platnik\\p2.exe") << location;
  }
  WideText path = u"kept";
  std::int32_t best = 92101;
  msi_.FindPlatnik(path, best);
  EXPECT_EQ(path, u"kept");
  Registry(Platnik("M:\\NoVersion"));
  EXPECT_EQ(FindLastPlatnik(msi_), u"");
  Registry(RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                  "{05381030-963D-4779-BECA-0D7D49268EDB}") +
           "\"InstallLocation\"=dword:00000001\n");
  EXPECT_EQ(FindLastPlatnik(msi_), u"");
}

// Windows opens a path written with "/" as with "\\"; the path is given back as registered.
TEST_F(ProductDetection, ForwardSlashesSeparateAsBackslashesDo) {
  Registry(MachineWide("VL921", "A", "M:/Velmora") + Platnik("M:/Platnik"));
  Program("Velmora", "Numer=4\r\nWersja=9.21\r\nWydanie=a\r\n");
  machine_.CopyFixture("v9_21_1_0", "Platnik\\p2.exe");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:/Velmora");
  EXPECT_EQ(List({peVL921}), (Entries{u"M:/Velmora=Velmora 9.21a"}));
  EXPECT_EQ(FindLastPlatnik(msi_), u"M:/Platnik\\p2.exe");
  Registry(Platnik("M:/Platnik/"));
  EXPECT_EQ(FindLastPlatnik(msi_), u"M:/Platnik/p2.exe");
}

// Sets the process's current directory for as long as it lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& dir)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  ~CurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

// Plants a file where a relative Windows path would lead from the current directory: under it
// on Windows, and as one file with backslashes in its name on the portable backend, which
// takes such a path as a native one.
void Plant(const std::string& relative, const std::filesystem::path& fixture = {}) {
  const std::filesystem::path file(relative);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  if (fixture.empty()) {
    std::ofstream(file) << "[Program]\r\nNumer=5\r\nProgram=M:\\Planted\r\n";
  } else {
    std::filesystem::copy_file(fixture, file, std::filesystem::copy_options::overwrite_existing);
  }
}

TEST_F(ProductDetection, NothingIsLookedForRelativeToTheCurrentDirectory) {
  Registry(RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\Empty") +
           MachineWide("VL921", "Relative", "Downloads") + PerUser("VL930", "A", "") +
           Ferrolin("Ferrolin110", "A", "Ferrolin.exe") +
           Ferrolin("Ferrolin110", "B", "Sub\\Szablony") + Platnik(""));
  machine_.MakeFolder("Downloads");
  Program("Planted", "Numer=5\r\n");
  const CurrentDirectory current(machine_.Native("Downloads"));
  const std::filesystem::path versioned = machine_.Native("Planted\\Velm.ver");
  machine_.CopyFixture("v10_3_0_0", "Planted\\Velm.ver");
  for (const char* name : {"\\Velm_Prog.vba", "Downloads\\Velm_Prog.vba"}) Plant(name, versioned);
  Plant("\\Velm.ini");
  Plant("Downloads\\Velm.ini");
  Plant("\\Velm.ver", versioned);
  Plant("Ferrolin.exe", versioned);
  Plant("Sub\\Ferrolin.exe", versioned);
  Plant("\\p2.exe", versioned);
  ASSERT_TRUE(std::filesystem::exists("Ferrolin.exe"));

  EXPECT_EQ(FindLastVelmora(msi_), u"");
  EXPECT_EQ(FindLastFerrolin(msi_), u"");
  EXPECT_EQ(FindLastPlatnik(msi_), u"");
  EXPECT_EQ(List(kVelmoraReport), Entries{});
  EXPECT_EQ(List({peFR110, peFR101}), Entries{});
}

TEST_F(ProductDetection, AnUnreadableInstallationHidesNoOther) {
  Registry(RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrik\\VL921\\A") +
           "\"Sciezka\"=dword:00000001\n" + MachineWide("VL921", "B", "M:\\Good") +
           MachineWide("VL920", "A", "M:\\BadText") + PerUser("VL930", "A", "M:\\UserBad") +
           PerUser("VL930", "B", "M:\\User") +
           RegKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Delvar\\Ferrolin110\\A") +
           "\"szablony\"=hex:00,01\n" + Ferrolin("Ferrolin110", "B", "M:\\FrBad\\Szablony") +
           Ferrolin("Ferrolin110", "C", "M:\\Fr\\Szablony"));
  Program("Good", "Numer=2\r\n");
  Program("BadText", "Numer=5\r\n");
  machine_.CopyFixture("unreadable_text", "BadText\\Velm.ver");
  machine_.Write("UserBad\\Velm_Prog.vba", "");
  machine_.CopyFixture("unreadable_text", "UserBad\\Velm.ver");
  machine_.Write("User\\Velm_Prog.vba", "");
  machine_.CopyFixture("v9_30_0_0", "User\\Velm.ver");
  machine_.CopyFixture("unreadable_text", "FrBad\\Ferrolin.exe");
  machine_.CopyFixture("v10_2_1_0", "Fr\\Ferrolin.exe");

  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\User");
  WideText dir;
  std::int32_t best = 0;
  msi_.GetLastInstallDir(peVL921, dir, best);
  EXPECT_EQ(dir, u"M:\\Good");
  EXPECT_EQ(List(kVelmoraReport),
            (Entries{u"M:\\User=Velmora 9.30`", u"M:\\Good=Velmora ", u"M:\\BadText=Velmora "}));
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\Fr\\Ferrolin.exe");
  EXPECT_EQ(List({peFR110}), (Entries{u"M:\\FrBad=Ferrolin ", u"M:\\Fr=Ferrolin 10.02a"}));
}

// The lookups choose such an installation by its Numer or binary version, so the report lists
// it too: with the settings file's version, or none.
TEST_F(ProductDetection, AVersionTextThatDoesNotConvertCountsAsNoVersion) {
  Registry(MachineWide("VL921", "A", "M:\\Odd") +
           Ferrolin("Ferrolin110", "A", "M:\\FrOdd\\Szablony"));
  Program("Odd", "Numer=3\r\nWersja=9.21\r\nWydanie=c\r\n");
  machine_.CopyFixture("unreadable_text", "Odd\\Velm.ver");
  machine_.CopyFixture("unreadable_text", "FrOdd\\Ferrolin.exe");
  EXPECT_EQ(FindLastVelmora(msi_), u"M:\\Odd");
  EXPECT_EQ(List(kVelmoraReport), (Entries{u"M:\\Odd=Velmora 9.21c"}));
  EXPECT_EQ(FindLastFerrolin(msi_), u"M:\\FrOdd\\Ferrolin.exe");
  EXPECT_EQ(List({peFR110}), (Entries{u"M:\\FrOdd=Ferrolin "}));
}

// Counts the dispatches a scan asks for.
class CountingPump final : public MessagePump {
 public:
  void DispatchPending() const override { ++count; }
  void RepostQuit() const noexcept override {}
  mutable int count = 0;
};

TEST_F(ProductDetection, ListScansDispatchMessagesPerSubkeyAndPerFoundInstallation) {
  Registry(MachineWide("VL921", "A", "M:\\Found") + MachineWide("VL921", "B", "M:\\Missing") +
           PerUser("VL930", "A", "M:\\User") + Ferrolin("Ferrolin110", "A", "M:\\Fr\\Szablony") +
           Ferrolin("Ferrolin110", "B", "M:\\None\\Szablony") +
           Ferrolin("Ferrolin110", "C", "M:\\Folder\\Szablony"));
  Program("Found", "Numer=1\r\n");
  machine_.Write("User\\Velm_Prog.vba", "");
  machine_.CopyFixture("v10_2_1_0", "Fr\\Ferrolin.exe");
  // A folder named as the executable is no installation, found or not.
  machine_.MakeFolder("Folder\\Ferrolin.exe");
  CountingPump pump;
  const TMSI msi(DetectionSources{*platform_.installer, test::ConfigSourcesOf(platform_),
                                  *platform_.files, *platform_.versions, pump});
  WideText dir;
  std::int32_t best = 0;
  msi.GetLastInstallDir(peVL921, dir, best);
  msi.GetLastInstallDir(peFR110, dir, best);
  EXPECT_EQ(pump.count, 0);
  InstalledAppsList list;
  msi.ListInstallations(peVL921, list);
  EXPECT_EQ(pump.count, 3);
  msi.ListInstallations(peVL930, list);
  EXPECT_EQ(pump.count, 5);
  msi.ListInstallations(peFR110, list);
  EXPECT_EQ(pump.count, 9);
}

}  // namespace
}  // namespace tovrel
