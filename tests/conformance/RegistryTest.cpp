#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"
#include "platform/RegistryAccessor.h"
#include "support/TestRegistry.h"

namespace tovrel {
namespace {

// Every kind of line the registry editor writes, including a key and a value that later lines
// delete and a value folded over several lines.
constexpr char16_t kKeys[] =
    u"[-HKEY_CURRENT_USER\\Software\\TovrelTest]\n"
    u"[-HKEY_LOCAL_MACHINE\\Software\\TovrelTest]\n"
    u"\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest]\n"
    u"@=\"default text\"\n"
    u"\"Plain\"=\"C:\\\\Program Files\\\\Velmora\"\n"
    u"\"Quoted\"=\"say \\\"hi\\\"\"\n"
    u"\"Polish\"=\"Zażółć gęślą jaźń\"\n"
    u"\"Empty\"=\"\"\n"
    u"\"Number\"=dword:0000002a\n"
    u"\"Binary\"=hex:01,02,03\n"
    u"\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    u"\"Expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,5c,00,78,00,00,00\n"
    u"\"Folded\"=hex(2):43,00,3a,00,5c,00,56,00,65,00,6c,00,6d,00,6f,00,72,00,61,00,\\\n"
    u"  5c,00,62,00,69,00,6e,00,00,00\n"
    u"\"CutAtNul\"=hex(1):61,00,00,00,62,00,00,00\n"
    u"\"NoData\"=hex(1):\n"
    u"\"NoDataDword\"=hex(4):\n"
    u"\"Dropped\"=\"z\"\n"
    u"\"Dropped\"=-\n"
    u"\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest\\beta]\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest\\Alpha]\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest\\gamma\\deep]\n"
    u"\"Inner\"=\"deep value\"\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest\\gamma\\Прог]\n"
    u"\"σοφια\"=\"Cyrillic key, Greek value name\"\n"
    u"[HKEY_CURRENT_USER\\Software\\TovrelTest\\Removed]\n"
    u"\"x\"=\"y\"\n"
    u"[-HKEY_CURRENT_USER\\Software\\TovrelTest\\Removed]\n"
    u"\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\TovrelTest\\Machine]\n"
    u"\"View\"=\"32-bit\"\n";

class Registry : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registry_.Import("keys", test::UnicodeRegFile(kKeys))); }

  RegistryAccessor Open(WideView path, RegistryRoot root = RegistryRoot::kCurrentUser) const {
    RegistryAccessor accessor(*platform_.registry, root);
    EXPECT_TRUE(accessor.OpenKey(path)) << NarrowAscii(path);
    return accessor;
  }

  std::vector<WideText> KeyNames(WideView path) const {
    std::vector<WideText> names{u"left over"};
    Open(path).GetKeyNames(names);
    return names;
  }

  test::TestRegistry registry_;
  Platform platform_ = MakePlatform();
};

TEST_F(Registry, ReadsTextAsStoredWithoutRegardToCase) {
  const RegistryAccessor key = Open(u"Software\\TovrelTest");
  EXPECT_EQ(key.ReadString(u""), u"default text");
  EXPECT_EQ(key.ReadString(u"Plain"), u"C:\\Program Files\\Velmora");
  EXPECT_EQ(key.ReadString(u"pLAIN"), u"C:\\Program Files\\Velmora");
  EXPECT_EQ(key.ReadString(u"Quoted"), u"say \"hi\"");
  EXPECT_EQ(key.ReadString(u"Polish"), u"Zażółć gęślą jaźń");
  EXPECT_EQ(key.ReadString(u"Expand"), u"%PATH%\\x");
  EXPECT_EQ(key.ReadString(u"Folded"), u"C:\\Velmora\\bin");
  EXPECT_EQ(key.ReadString(u"CutAtNul"), u"a");
  EXPECT_EQ(Open(u"SOFTWARE\\tovreltest\\GAMMA\\Deep").ReadString(u"inner"), u"deep value");
  EXPECT_EQ(Open(u"Software\\TovrelTest\\gamma\\ПРОГ").ReadString(u"ΣΟΦΙΑ"),
            u"Cyrillic key, Greek value name");
}

TEST_F(Registry, MissingEmptyAndDeletedValuesReadEmpty) {
  const RegistryAccessor key = Open(u"Software\\TovrelTest");
  EXPECT_EQ(key.ReadString(u"Missing"), u"");
  EXPECT_EQ(key.ReadString(u"Empty"), u"");
  EXPECT_EQ(key.ReadString(u"NoData"), u"");
  EXPECT_EQ(key.ReadString(u"NoDataDword"), u"");
  EXPECT_EQ(key.ReadString(u"Dropped"), u"");
}

TEST_F(Registry, ValuesThatAreNotTextRaiseNamingTheValue) {
  const RegistryAccessor key = Open(u"Software\\TovrelTest");
  for (const WideText name : {u"Number", u"Binary", u"Multi"}) {
    try {
      static_cast<void>(key.ReadString(name));
      ADD_FAILURE() << "no error for " << NarrowAscii(name);
    } catch (const RegistryError& error) {
      EXPECT_EQ(error.message(), u"Invalid data type for '" + name + u"'");
    }
  }
}

TEST_F(Registry, KeysOpenWithOrWithoutALeadingBackslashAndNeverAreCreated) {
  RegistryAccessor accessor(*platform_.registry);
  EXPECT_TRUE(accessor.OpenKey(u"\\Software\\TovrelTest\\Alpha"));
  EXPECT_EQ(accessor.CurrentPath(), u"Software\\TovrelTest\\Alpha");
  EXPECT_FALSE(accessor.OpenKey(u"Software\\TovrelTest\\Missing"));
  EXPECT_EQ(accessor.CurrentPath(), u"");
  EXPECT_EQ(accessor.ReadString(u"Plain"), u"");
  EXPECT_FALSE(accessor.OpenKey(u"Software\\TovrelTest\\Missing"));
  EXPECT_FALSE(accessor.OpenKey(u"Software\\TovrelTest\\Removed"));
  accessor.SetRoot(RegistryRoot::kLocalMachine);
  EXPECT_FALSE(accessor.OpenKey(u"Software\\TovrelTest\\Alpha"));
}

TEST_F(Registry, SubkeysAreListedSortedWithoutRegardToCase) {
  EXPECT_EQ(KeyNames(u"Software\\TovrelTest"),
            (std::vector<WideText>{u"Alpha", u"beta", u"gamma"}));
  EXPECT_EQ(KeyNames(u"Software\\TovrelTest\\Alpha"), std::vector<WideText>{});
  std::vector<WideText> names{u"left over"};
  RegistryAccessor(*platform_.registry).GetKeyNames(names);
  EXPECT_TRUE(names.empty());
}

TEST_F(Registry, MachineKeysAreReadInThe32BitView) {
  EXPECT_EQ(Open(u"Software\\TovrelTest\\Machine", RegistryRoot::kLocalMachine).ReadString(u"View"),
            u"32-bit");
}

TEST_F(Registry, AnsiFilesOfTheOlderFormatReadTheSame) {
  ASSERT_TRUE(registry_.Import("older",
                               "REGEDIT4\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\TovrelTest\\Older]\r\n"
                               "\"Text\"=\"C:\\\\Astrelo\"\r\n"
                               "\"Expand\"=hex(2):25,41,25,00\r\n"));
  const RegistryAccessor key = Open(u"Software\\TovrelTest\\Older");
  EXPECT_EQ(key.ReadString(u"Text"), u"C:\\Astrelo");
  EXPECT_EQ(key.ReadString(u"Expand"), u"%A%");
}

}  // namespace
}  // namespace tovrel
