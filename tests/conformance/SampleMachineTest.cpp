// The sample machine of examples/machine as each backend sees it: the portable one reads the
// assembled folder (TOVREL_MACHINE), the Windows one a Wine prefix that scripts/machine-into-wine
// filled from the same folder. Both must find every registry value, settings value, file and
// version where the product lookups will look, so that the report comes out the same. Run by the
// test entry that prepares the machine (TOVREL_TEST_MACHINE=sample).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/ProfileValues.h"
#include "config/RegistryValues.h"
#include "detect/OfficeGenerations.h"
#include "detect/TMSI.h"
#include "fileutil/VersionInfo.h"
#include "platform/Platform.h"
#include "support/ExplainedLookups.h"
#include "support/ListEntries.h"
#include "support/PlatformSources.h"

namespace tovrel {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

class SampleMachine : public testing::Test {
 protected:
  void SetUp() override {
    const char* machine = std::getenv("TOVREL_TEST_MACHINE");
    if (machine == nullptr || std::string(machine) != "sample") {
      GTEST_SKIP() << "run by the test entry that prepares the sample machine";
    }
  }

  [[nodiscard]] std::vector<WideText> SubkeyNames(RegistryRoot root, WideView key) const {
    std::vector<WideText> names;
    ReadRegKeyNames(config_, root, key, u"", names);
    return names;
  }
  [[nodiscard]] WideText Value(RegistryRoot root, WideView key, WideView path) const {
    return ReadRegValue(config_, root, key, path);
  }
  [[nodiscard]] WideText Version(WideView file) const {
    return GetVersionInfoItem(*platform_.versions, file, u"FileVersion");
  }
  [[nodiscard]] std::int32_t FixedVersion(WideView file) const {
    return GetFileVersionNumber(*platform_.versions, file, true);
  }
  [[nodiscard]] bool Exists(WideView file) const { return platform_.files->FileExists(file); }
  [[nodiscard]] WideText Ini(WideView file, WideView key) const {
    return ReadIniValue(config_, u"Program", key, u"", file);
  }
  [[nodiscard]] std::int32_t Numer(WideView file) const {
    return ReadIniInt(config_, u"Program", u"Numer", 0, file);
  }

  Platform platform_ = MakePlatform();
  ConfigSources config_ = test::ConfigSourcesOf(platform_);
};

TEST_F(SampleMachine, PerUserInstallationsOfVelmoraAndAstrelo) {
  const WideView velmora = u"SOFTWARE\\Ostrik\\VL930";
  EXPECT_EQ(SubkeyNames(kUser, velmora), (std::vector<WideText>{u"Biuro", u"Domowa", u"Stara"}));
  EXPECT_EQ(Value(kUser, velmora, u"Biuro\\Program\\Program"), u"C:\\Ostrik\\Velmora 9.30");
  // Enciphered in the registry.
  EXPECT_EQ(Value(kUser, velmora, u"Domowa\\Program\\Program"), u"D:\\Velmora\\Domowa");
  EXPECT_EQ(Value(kUser, velmora, u"Stara\\Program\\Program"), u"C:\\Ostrik\\Velmora Stara");
  EXPECT_TRUE(Exists(u"C:\\Ostrik\\Velmora 9.30\\Velm_Prog.vba"));
  EXPECT_TRUE(Exists(u"D:\\Velmora\\Domowa\\Velm_Prog.vba"));
  EXPECT_TRUE(Exists(u"C:\\Ostrik\\Velmora Stara\\Velm_Prog.vba"));
  EXPECT_EQ(Version(u"C:\\Ostrik\\Velmora 9.30\\Velm.ver"), u"9.30.2.0");
  EXPECT_EQ(Version(u"D:\\Velmora\\Domowa\\Velm.ver"), u"9.30.1.5");
  EXPECT_TRUE(Exists(u"C:\\Ostrik\\Velmora Stara\\Velm.ver"));
  EXPECT_EQ(Version(u"C:\\Ostrik\\Velmora Stara\\Velm.ver"), u"");

  const WideView astrelo = u"SOFTWARE\\Ostrik\\AS930";
  EXPECT_EQ(SubkeyNames(kUser, astrelo), std::vector<WideText>{u"Biuro"});
  EXPECT_EQ(Value(kUser, astrelo, u"Biuro\\Program\\Program"), u"C:\\Ostrik\\Astrelo 9.30");
  EXPECT_TRUE(Exists(u"C:\\Ostrik\\Astrelo 9.30\\Astr_Prog.vba"));
  EXPECT_EQ(Version(u"C:\\Ostrik\\Astrelo 9.30\\Astr.ver"), u"9.30.1.0");
}

TEST_F(SampleMachine, MachineWideVelmora) {
  EXPECT_EQ(SubkeyNames(kMachine, u"SOFTWARE\\Ostrik\\VL921"), (std::vector<WideText>{u"1", u"2"}));
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL921", u"1\\Sciezka"), u"C:\\Ostrik\\Velmora");
  EXPECT_EQ(Numer(u"C:\\Ostrik\\Velmora\\Velm.ini"), 50);
  EXPECT_EQ(Version(u"C:\\Ostrik\\Velmora\\Velm.ver"), u"9.21.1.0");

  // Moved: no marker where the registry points, and an enciphered redirect in Velm.ini.
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL921", u"2\\Sciezka"),
            u"C:\\Ostrik\\VL-przeniesiona");
  EXPECT_FALSE(Exists(u"C:\\Ostrik\\VL-przeniesiona\\Velm_Prog.vba"));
  EXPECT_EQ(Ini(u"C:\\Ostrik\\VL-przeniesiona\\Velm.ini", u"Program"), u"D:\\Ksiegowosc\\Velmora");
  EXPECT_TRUE(Exists(u"D:\\Ksiegowosc\\Velmora\\Velm_Prog.vba"));
  EXPECT_EQ(Numer(u"D:\\Ksiegowosc\\Velmora\\Velm.ini"), 12);
  EXPECT_EQ(Version(u"D:\\Ksiegowosc\\Velmora\\Velm.ver"), u"9.21.3.0");

  // The VL921 installation again, in lower case.
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL920", u"A\\Sciezka"), u"c:\\ostrik\\velmora");
  EXPECT_TRUE(Exists(u"c:\\ostrik\\velmora\\Velm_Prog.vba"));

  // No version carrier: the version comes from Velm.ini, its "Wersja" enciphered.
  const WideView velmora911 = u"C:\\Program Files\\Ostrik\\Velmora 9.11";
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL911", u"A\\Sciezka"), velmora911);
  EXPECT_TRUE(Exists(WideText(velmora911) + u"\\Velm_Prog.vba"));
  EXPECT_FALSE(Exists(WideText(velmora911) + u"\\Velm.ver"));
  EXPECT_EQ(Numer(WideText(velmora911) + u"\\Velm.ini"), 5);
  EXPECT_EQ(Ini(WideText(velmora911) + u"\\Velm.ini", u"Wersja"), u"9.11");
  EXPECT_EQ(Ini(WideText(velmora911) + u"\\Velm.ini", u"Wydanie"), u"b");

  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL910", u"A\\Sciezka"),
            u"C:\\Ostrik\\Velmora 9.10");
  EXPECT_EQ(Numer(u"C:\\Ostrik\\Velmora 9.10\\Velm.ini"), 0);
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL901", u"A\\Sciezka"), u"D:\\Stare\\Velmora 9.01");
  EXPECT_EQ(Numer(u"D:\\Stare\\Velmora 9.01\\Velm.ini"), -3);
  EXPECT_EQ(Version(u"D:\\Stare\\Velmora 9.01\\Velm.ver"), u"9.1.1.0");
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\VL900", u"A\\Sciezka"), u"C:\\Ostrik\\Usunieta");
  EXPECT_FALSE(Exists(u"C:\\Ostrik\\Usunieta\\Velm_Prog.vba"));
}

TEST_F(SampleMachine, MachineWideAstrelo) {
  // Enciphered, zero-padded to a whole block.
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\AS921", u"Firma\\Sciezka"), u"D:\\Astrelo");
  EXPECT_TRUE(Exists(u"D:\\Astrelo\\Astr_Prog.vba"));
  EXPECT_EQ(Numer(u"D:\\Astrelo\\Astr.ini"), 7);
  EXPECT_EQ(Version(u"D:\\Astrelo\\Astr.ver"), u"9.21.2.0");

  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\AS920", u"Firma\\Sciezka"), u"C:\\Ostrik\\Astrelo");
  EXPECT_FALSE(Exists(u"C:\\Ostrik\\Astrelo\\Astr_Prog.vba"));
  EXPECT_EQ(Ini(u"C:\\Ostrik\\Astrelo\\Astr.ini", u"Program"), u"C:\\Ostrik\\Astrelo 9.20");
  EXPECT_EQ(Numer(u"C:\\Ostrik\\Astrelo 9.20\\Astr.ini"), 3);
  EXPECT_EQ(Version(u"C:\\Ostrik\\Astrelo 9.20\\Astr.ver"), u"9.20.1.0");

  EXPECT_EQ(SubkeyNames(kMachine, u"SOFTWARE\\Ostrik\\AS910"),
            (std::vector<WideText>{u"Firma", u"Kopia"}));
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\AS910", u"Firma\\Sciezka"),
            u"C:\\Program Files\\Ostrik\\Astrelo 9.10");
  EXPECT_EQ(Value(kMachine, u"SOFTWARE\\Ostrik\\AS910", u"Kopia\\Sciezka"), u"D:\\Astrelo");
  EXPECT_EQ(Numer(u"C:\\Program Files\\Ostrik\\Astrelo 9.10\\Astr.ini"), 1);
  EXPECT_EQ(Version(u"C:\\Program Files\\Ostrik\\Astrelo 9.10\\Astr.ver"), u"9.10.4.0");
}

TEST_F(SampleMachine, Ferrolin) {
  const WideView newer = u"SOFTWARE\\Delvar\\Ferrolin110";
  const WideView older = u"SOFTWARE\\Delvar\\Ferrolin101";
  EXPECT_EQ(SubkeyNames(kMachine, newer), (std::vector<WideText>{u"Biuro", u"Kopia"}));
  EXPECT_EQ(Value(kMachine, newer, u"Biuro\\szablony"), u"C:\\Delvar\\Ferrolin\\Szablony");
  EXPECT_EQ(FixedVersion(u"C:\\Delvar\\Ferrolin\\Ferrolin.exe"), 110002);
  EXPECT_EQ(Version(u"C:\\Delvar\\Ferrolin\\Ferrolin.exe"), u"11.0.2.0");
  // Lower-case "szablony" names the folder itself; an executable lies beside it.
  EXPECT_EQ(Value(kMachine, newer, u"Kopia\\szablony"), u"C:\\Delvar\\Kopia\\szablony");
  EXPECT_FALSE(Exists(u"C:\\Delvar\\Kopia\\szablony"));
  EXPECT_EQ(FixedVersion(u"C:\\Delvar\\Kopia\\Ferrolin.exe"), 110101);

  EXPECT_EQ(SubkeyNames(kMachine, older), (std::vector<WideText>{u"A", u"B", u"C"}));
  EXPECT_EQ(Value(kMachine, older, u"A\\szablony"), u"C:\\DELVAR\\FERROLIN\\Szablony");
  EXPECT_EQ(FixedVersion(u"C:\\DELVAR\\FERROLIN\\Ferrolin.exe"), 110002);
  // Enciphered in the registry.
  EXPECT_EQ(Value(kMachine, older, u"B\\szablony"), u"D:\\Ferrolin 10\\Szablony");
  EXPECT_EQ(FixedVersion(u"D:\\Ferrolin 10\\Ferrolin.exe"), 100103);
  EXPECT_EQ(Version(u"D:\\Ferrolin 10\\Ferrolin.exe"), u"10.1.3.0");
  EXPECT_EQ(Value(kMachine, older, u"C\\szablony"), u"C:\\Delvar\\Bez wersji\\Szablony");
  EXPECT_TRUE(Exists(u"C:\\Delvar\\Bez wersji\\Ferrolin.exe"));
  EXPECT_EQ(FixedVersion(u"C:\\Delvar\\Bez wersji\\Ferrolin.exe"), 0);
}

TEST_F(SampleMachine, Platnik) {
  EXPECT_EQ(Value(kMachine,
                  u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                  u"{05381030-963D-4779-BECA-0D7D49268EDB}",
                  u"InstallLocation"),
            u"C:\\Program Files\\Platnik\\");
  EXPECT_EQ(FixedVersion(u"C:\\Program Files\\Platnik\\p2.exe"), 100202);
  EXPECT_EQ(Version(u"C:\\Program Files\\Platnik\\p2.exe"), u"10.02.002");
}

TEST_F(SampleMachine, OfficeGenerationsNewestFirst) {
  const TMSI msi(test::DetectionSourcesOf(platform_));
  InstalledAppsList list;
  for (std::size_t g = kOfficeGenerations.size(); g-- > 0;) {
    const WideText path = msi.GetOfficeComponentPath(kOfficeGenerations[g].product_pattern,
                                                     kOfficeGenerations[g].excel_component, u"");
    if (!path.empty()) msi.AddOfficeProduct(g, path, list);
  }
  const std::vector<WideText> expected = {
      u"C:\\Program Files (x86)\\Office14=Office Professional Plus 2010 (14.0.4763.1000)",
      u"C:\\Program Files (x86)\\Office12=Office Excel 2007 (12.0.4518.1014)",
      u"C:\\Program Files (x86)\\Office11=Office Standard 2003 (11.0.5614.0)"};
  EXPECT_EQ(test::ListEntries(list), expected);
  EXPECT_TRUE(Exists(u"C:\\Program Files (x86)\\Office11\\EXCEL.EXE"));
}

TEST_F(SampleMachine, ExplanationsNameTheAnswers) {
  test::ExpectExplanationsNameTheAnswers(test::DetectionSourcesOf(platform_));
}

}  // namespace
}  // namespace tovrel
