#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/RegistryAccessor.h"
#include "platform/portable/ProcHostProcess.h"
#include "platform/portable/machine/MachineRegistry.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

namespace tovrel::portable {
namespace {

class MachineRegistryFiles : public testing::Test {
 protected:
  bool Opens(WideView path) const { return RegistryAccessor(*platform_.registry).OpenKey(path); }

  test::TestRegistry registry_;
  Platform platform_ = MakePlatform();
};

TEST_F(MachineRegistryFiles, LaterFilesInNameOrderChangeEarlierOnes) {
  ASSERT_TRUE(
      registry_.Import("20-later", test::UnicodeRegFile(u"[HKCU\\Software\\V]\n\"x\"=\"2\"\n"
                                                        u"[-HKCU\\Software\\Gone]\n")));
  ASSERT_TRUE(
      registry_.Import("10-first", test::UnicodeRegFile(u"[HKCU\\Software\\V]\n\"x\"=\"1\"\n"
                                                        u"[HKCU\\Software\\Gone]\n")));
  RegistryAccessor accessor(*platform_.registry);
  ASSERT_TRUE(accessor.OpenKey(u"Software\\V"));
  EXPECT_EQ(accessor.ReadString(u"x"), u"2");
  EXPECT_FALSE(Opens(u"Software\\Gone"));
}

TEST_F(MachineRegistryFiles, AMalformedFileIsRejectedWholeAndNamed) {
  ASSERT_TRUE(registry_.Import("a", test::UnicodeRegFile(u"[HKCU\\Software\\Good]\n")));
  ASSERT_TRUE(registry_.Import("b", test::UnicodeRegFile(u"[HKCU\\Software\\Half]\nbroken\n")));
  const std::string bad = (registry_.machine() / "registry/b.reg").string();
  try {
    static_cast<void>(Opens(u"Software\\Good"));
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_EQ(std::string(error.what()), bad + ":4: expected a [key] or a value");
  }
  // Mended, the machine loads again.
  ASSERT_TRUE(registry_.Import("b", test::UnicodeRegFile(u"[HKCU\\Software\\Half]\n")));
  EXPECT_TRUE(Opens(u"Software\\Good"));
  EXPECT_TRUE(Opens(u"Software\\Half"));
}

// An export reads the machine's files once: the whole call sees the state of its first key, and
// the next call sees what changed in between.
TEST_F(MachineRegistryFiles, ACallSeesOneStateAndTheNextCallTheChange) {
  ASSERT_TRUE(registry_.Import("10-first", test::UnicodeRegFile(u"[HKCU\\Software\\V]\n")));
  {
    const RegistryCall call(*platform_.registry);
    const RegistryCall nested(*platform_.registry);
    EXPECT_TRUE(Opens(u"Software\\V"));
    ASSERT_TRUE(registry_.Import("20-later", test::UnicodeRegFile(u"[-HKCU\\Software\\V]\n")));
    EXPECT_TRUE(Opens(u"Software\\V"));
  }
  EXPECT_FALSE(Opens(u"Software\\V"));
  {
    const RegistryCall call(*platform_.registry);
    ASSERT_TRUE(registry_.Import("10-first", test::UnicodeRegFile(u"[HKCU\\Software\\W]\n")));
    EXPECT_TRUE(Opens(u"Software\\W"));
  }
}

TEST(MachineRegistryWithoutMachine, HasOnlyEmptyRoots) {
  unsetenv("TOVREL_MACHINE");
  const Platform platform = MakePlatform();
  RegistryAccessor accessor(*platform.registry, RegistryRoot::kLocalMachine);
  EXPECT_TRUE(accessor.OpenKey(u""));
  EXPECT_FALSE(accessor.OpenKey(u"Software"));
  accessor.SetRoot(static_cast<RegistryRoot>(0x80000009));
  EXPECT_FALSE(accessor.OpenKey(u""));
}

// A real export of a Wine prefix's key, made by "wine64 reg export" before the tests run.
TEST(MachineRegistryOfAWineExport, ReadsTheExportedKeys) {
  const char* export_file = std::getenv("TOVREL_WINE_EXPORT");
  if (export_file == nullptr) GTEST_SKIP() << "TOVREL_WINE_EXPORT is not set";
  test::TestRegistry registry;
  ASSERT_TRUE(registry.Import("wine", test::ReadBytes(export_file)));
  const Platform platform = MakePlatform();
  RegistryAccessor accessor(*platform.registry, RegistryRoot::kLocalMachine);
  ASSERT_TRUE(accessor.OpenKey(u"Software\\Microsoft\\Windows NT\\CurrentVersion"));
  std::vector<WideText> names;
  accessor.GetKeyNames(names);
  EXPECT_NE(std::find(names.begin(), names.end(), u"Time Zones"), names.end());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), IgnoreCaseLess()));
  ASSERT_TRUE(accessor.OpenKey(u"\\software\\microsoft\\windows nt\\currentversion\\time zones"));
  accessor.GetKeyNames(names);
  EXPECT_GT(names.size(), 50u);
  ASSERT_TRUE(accessor.OpenKey(
      u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Pacific Standard Time"));
  EXPECT_EQ(accessor.ReadString(u"Display"), u"(UTC-08:00) Pacific Time (US & Canada)");
  EXPECT_EQ(accessor.ReadString(u"MUI_Std"), u"@tzres.dll,-11232");
  EXPECT_THROW(static_cast<void>(accessor.ReadString(u"TZI")), RegistryError);
}

TEST(ProcHostProcess, TheRunningProgramIsItsOwnShortForm) {
  const ProcHostProcess host;
  const WideText executable = host.ExecutablePath();
  EXPECT_EQ(std::filesystem::path(executable).filename(), "tovrel_tests");
  EXPECT_EQ(host.ShortPath(executable), executable);
  EXPECT_EQ(host.ShortPath(executable + u".missing"), std::nullopt);
}

}  // namespace
}  // namespace tovrel::portable
