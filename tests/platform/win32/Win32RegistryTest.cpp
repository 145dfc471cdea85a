#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "config/DefaultIniFile.h"
#include "platform/Platform.h"
#include "platform/RegistryAccessor.h"
#include "platform/regfile/RegFile.h"
#include "platform/win32/UniqueAny.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

namespace tovrel {
namespace {

bool OpensInView(const wchar_t* path, REGSAM view) {
  win32::UniqueAny<HKEY, ::RegCloseKey> key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

TEST(Win32Registry, ImportedMachineKeysLieInThe32BitViewOnly) {
  const test::TestRegistry registry;
  ASSERT_TRUE(registry.Import(
      "view", test::UnicodeRegFile(u"[-HKEY_LOCAL_MACHINE\\Software\\TovrelView]\n"
                                   u"[HKEY_LOCAL_MACHINE\\Software\\TovrelView]\n")));
  EXPECT_TRUE(OpensInView(L"Software\\TovrelView", KEY_WOW64_32KEY));
  EXPECT_FALSE(OpensInView(L"Software\\TovrelView", KEY_WOW64_64KEY));
  const Platform platform = MakePlatform();
  EXPECT_TRUE(RegistryAccessor(*platform.registry, RegistryRoot::kLocalMachine)
                  .OpenKey(u"Software\\TovrelView"));
}

// Exports a real key of the prefix with reg.exe and checks that the .reg reader gives, key by
// key and value by value, what the registry itself gives.
TEST(Win32Registry, TheRegFileReaderAgreesWithARealExport) {
  const test::TempDir dir;
  const auto file = dir.path() / "export.reg";
  const WideText key_path = u"Software\\Microsoft\\Windows NT\\CurrentVersion";
  ASSERT_EQ(test::RunSystemProgram(u"reg.exe export \"HKLM\\" + key_path + u"\" \"" +
                                   file.u16string() + u"\" /y /reg:32"),
            0);
  const Platform platform = MakePlatform();
  RegistryTree tree;
  ApplyRegFile(tree, test::ReadBytes(file), *platform.code_page, "export.reg");

  std::size_t keys = 0;
  std::size_t values = 0;
  const std::function<void(const WideText&)> compare = [&](const WideText& path) {
    const RegistryTree::Key* expected = tree.Find(RegistryRoot::kLocalMachine, path);
    ASSERT_NE(expected, nullptr);
    const auto key = platform.registry->OpenKey(RegistryRoot::kLocalMachine, path);
    ASSERT_NE(key, nullptr) << NarrowAscii(path);
    ++keys;
    std::vector<WideText> names;
    for (const auto& [name, subkey] : expected->subkeys) names.push_back(name);
    // An export leaves out the keys it cannot open, such as Wine's Perflib\009 link.
    std::vector<WideText> listed = key->GetKeyNames();
    std::erase_if(listed, [&](const WideText& name) { return !expected->subkeys.contains(name); });
    EXPECT_EQ(listed, names) << NarrowAscii(path);
    for (const auto& [name, value] : expected->values) {
      ++values;
      const bool text = value.type == kRegSz || value.type == kRegExpandSz || value.data.empty();
      if (text) {
        EXPECT_EQ(key->ReadString(name), ReadStringValue(*expected, name)) << NarrowAscii(name);
      } else {
        EXPECT_THROW(static_cast<void>(key->ReadString(name)), RegistryError) << NarrowAscii(name);
      }
    }
    for (const WideText& name : names) compare(path + u"\\" + name);
  };
  compare(key_path);
  EXPECT_GT(keys, 50u);
  EXPECT_GT(values, 500u);
}

TEST(Win32HostProcess, TheDefaultSettingsFileLiesBesideTheTestProgram) {
  const Platform platform = MakePlatform();
  const WideText executable = platform.host->ExecutablePath();
  EXPECT_EQ(std::filesystem::path(executable).filename(), "tovrel_tests.exe");
  const auto short_form = platform.host->ShortPath(executable);
  ASSERT_TRUE(short_form.has_value());
  const WideText ini = MakeDefaultIniFile(*platform.host);
  EXPECT_EQ(ini.substr(ini.rfind(u'\\') + 1), u"tovrel_tests.ini");
  EXPECT_EQ(ini.substr(0, ini.rfind(u'\\')), short_form->substr(0, short_form->rfind(u'\\')));
}

}  // namespace
}  // namespace tovrel
