#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/regfile/RegFile.h"
#include "support/TestRegistry.h"
#include "text/Utf16Le.h"

namespace tovrel {
namespace {

class RegFile : public testing::Test {
 protected:
  // The message of the error the file raises; empty when it is read.
  std::string ErrorOf(std::string_view bytes) {
    try {
      ApplyRegFile(tree_, bytes, *platform_.code_page, "machine/registry/test.reg");
    } catch (const RegFileError& error) {
      return error.what();
    }
    return {};
  }

  std::string ErrorOfUnicode(WideView lines) { return ErrorOf(test::UnicodeRegFile(lines)); }

  Platform platform_ = MakePlatform();
  RegistryTree tree_;
};

TEST_F(RegFile, MalformedLinesAreNamedByFileAndLine) {
  EXPECT_EQ(ErrorOfUnicode(u"[HKEY_CURRENT_USER\\A]\n\"x\"=dword:1g\n"),
            "machine/registry/test.reg:4: bad hexadecimal number");
  EXPECT_EQ(ErrorOfUnicode(u"\"x\"=\"y\"\n"),
            "machine/registry/test.reg:3: a value before the first [key]");
  EXPECT_EQ(ErrorOfUnicode(u"[HKEY_NOWHERE\\A]\n"),
            "machine/registry/test.reg:3: unknown registry root");
  EXPECT_EQ(ErrorOfUnicode(u"[HKEY_CURRENT_USER\\A\n"),
            "machine/registry/test.reg:3: a key line must end with \"]\"");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=\"open\n"),
            "machine/registry/test.reg:4: missing closing quote");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=\"a\\q\"\n"),
            "machine/registry/test.reg:4: unknown escape in quoted text");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=\"a\" b\n"),
            "machine/registry/test.reg:4: unexpected text after the closing quote");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=hex:01,\\\n"),
            "machine/registry/test.reg:4: the file ends inside a continued value");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=hex:01,\\\n  02,zz\n"),
            "machine/registry/test.reg:5: bad hexadecimal number");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\" \"y\"\n"),
            "machine/registry/test.reg:4: expected \"=\" after the value name");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\n\"x\"=word:1\n"),
            "machine/registry/test.reg:4: unknown value data");
  EXPECT_EQ(ErrorOfUnicode(u"[HKCU\\A]\nx=1\n"),
            "machine/registry/test.reg:4: expected a [key] or a value");
}

TEST_F(RegFile, TheHeaderMustMatchTheEncoding) {
  EXPECT_EQ(ErrorOf(""), "machine/registry/test.reg:1: empty file");
  EXPECT_EQ(ErrorOf("Windows Registry Editor Version 5.00\r\n"),
            "machine/registry/test.reg:1: a file without a UTF-16 byte-order mark must start with "
            "\"REGEDIT4\"");
  EXPECT_EQ(ErrorOf(test::Utf16File(u"REGEDIT4\r\n")),
            "machine/registry/test.reg:1: a UTF-16 file must start with \"Windows Registry Editor "
            "Version 5.00\"");
  EXPECT_EQ(ErrorOf("\xFF\xFE\x41"),
            "machine/registry/test.reg:1: odd number of bytes in UTF-16 text");
  EXPECT_EQ(ErrorOf("REGEDIT4\n\n[HKCU\\A]\n\"x\"=\"y\"\n"), "");
}

// A key line naming `depth` levels below the root, led by `prefix` ("" or "-").
WideText DeepKeyLine(std::size_t depth, WideView prefix = u"") {
  WideText line(u"[");
  line.append(prefix).append(u"HKCU");
  for (std::size_t i = 0; i < depth; ++i) line.append(u"\\k");
  return line.append(u"]\n");
}

TEST_F(RegFile, KeysDeeperThanWindowsAllowsAreNamedByFileAndLine) {
  EXPECT_EQ(ErrorOfUnicode(DeepKeyLine(kMaxKeyDepth)), "");
  WideText deepest;
  for (std::size_t i = 0; i < kMaxKeyDepth; ++i) deepest += u"k\\";
  EXPECT_NE(tree_.Find(RegistryRoot::kCurrentUser, deepest), nullptr);
  EXPECT_EQ(ErrorOfUnicode(WideText(u"\n").append(DeepKeyLine(kMaxKeyDepth + 1))),
            "machine/registry/test.reg:4: a key more than 512 levels deep");
  EXPECT_EQ(ErrorOfUnicode(DeepKeyLine(20000)),
            "machine/registry/test.reg:3: a key more than 512 levels deep");
  EXPECT_EQ(ErrorOfUnicode(DeepKeyLine(20000, u"-")),
            "machine/registry/test.reg:3: a key more than 512 levels deep");
}

TEST(RegistryTree, KeysOfAnyDepthAreFreedWithoutExhaustingTheStack) {
  WideText path;
  for (int i = 0; i < 200000; ++i) path += u"k\\";
  RegistryTree tree;
  tree.Create(RegistryRoot::kCurrentUser, path).values[u"v"] = RegistryValue{};
  tree.Delete(RegistryRoot::kCurrentUser, u"k\\k");
  EXPECT_NE(tree.Find(RegistryRoot::kCurrentUser, u"k"), nullptr);
}

TEST_F(RegFile, ValuesUnderADeletedKeyAreChecked) {
  EXPECT_EQ(ErrorOfUnicode(u"[-HKCU\\A]\n\"x\"=\"y\"\n"), "");
  EXPECT_EQ(tree_.Find(RegistryRoot::kCurrentUser, u"A"), nullptr);
  EXPECT_EQ(ErrorOfUnicode(u"[-HKCU\\A]\n\"x\"=dword:\n"),
            "machine/registry/test.reg:4: bad hexadecimal number");
}

TEST_F(RegFile, TypesAndDataAreStoredAsTheRegistryHoldsThem) {
  ASSERT_EQ(ErrorOfUnicode(u"[HKEY_CURRENT_USER\\A]\n"
                           u"\"d\"=dword:0001F\n"
                           u"\"n\"=hex(0):\n"
                           u"\"q\"=hex(b):01,02,03,04,05,06,07,08\n"
                           u"\"s\"=\"a\\\\b\"\n"),
            "");
  const RegistryTree::Key* key = tree_.Find(RegistryRoot::kCurrentUser, u"a");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->values.at(u"d").type, kRegDword);
  EXPECT_EQ(key->values.at(u"d").data, std::string("\x1F\0\0\0", 4));
  EXPECT_EQ(key->values.at(u"n").type, 0u);
  EXPECT_EQ(key->values.at(u"q").type, 11u);
  EXPECT_EQ(key->values.at(u"q").data.size(), 8u);
  EXPECT_EQ(key->values.at(u"s").data, EncodeUtf16Le(std::u16string(u"a\\b\0", 4)));
}

}  // namespace
}  // namespace tovrel
