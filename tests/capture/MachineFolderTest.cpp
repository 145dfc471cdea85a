// A captured record written as a sample-machine folder, read back through the portable backends:
// every value must read exactly as it was read on the machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <stdexcept>

#include "capture/MachineFolder.h"
#include "platform/Platform.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

namespace fs = std::filesystem;

constexpr WideView kOffice = u"{90140000-0011-0000-0000-0000000FF1CE}";
constexpr WideView kExcel = u"{538F6C89-2AD5-4006-8154-C6670774E980}";
constexpr WideView kIni = u"C:\\Ostrik\\Velmora\\Velm.ini";

capture::MachineRecord Record() {
  capture::MachineRecord record;
  auto& values = record.Key(RegistryRoot::kLocalMachine, u"SOFTWARE\\Ostrik\\VL921\\1").values;
  values[u"SCIEZKA"] = {u"Sciezka", u"C:\\Ostrik\\\"Velmora\"\\"};
  values[u"LINES"] = {u"Lines", u"one\r\ntwo\ttab"};
  values[u"NUMBER"] = {u"Number", std::nullopt};
  values[u""] = {u"", u"default"};
  record.Key(RegistryRoot::kCurrentUser, u"SOFTWARE\\Ostrik\\VL930\\Biuro\\Program");

  auto& settings = record.Profile(kIni).values;
  settings[{u"PROGRAM", u"NUMER"}] = {u"Program", u"Numer", u"  5 "};
  settings[{u"PROGRAM", u"WERSJA"}] = {u"Program", u"Wersja", u"\"9.21\""};
  settings[{u"PROGRAM", u"WYDANIE"}] = {u"program", u"Wydanie", u"\u0142"};

  record.File(u"C:\\Ostrik\\Velmora\\Velm_Prog.vba").exists = true;
  record.File(u"c:\\OSTRIK\\velmora\\.\\\\Old\\..\\Velm.exe").exists = true;
  record.File(u"\\\\server\\share\\Velm.exe").exists = true;
  record.File(u"C:\\Ostrik\\Gone\\Velm_Prog.vba").exists = false;

  auto& office = record.Product(kOffice);
  office.properties[u"InstalledProductName"] = u"Office";
  office.component_paths[WideText(kExcel)] = u"C:\\Office\\EXCEL.EXE";
  return record;
}

TEST(MachineFolder, ReadsBackAsTheMachineWasRead) {
  const test::TempDir dir;
  const fs::path folder = dir.path() / "machine";
  const capture::MachineFolder written = capture::WriteMachineFolder(Record(), folder);
  EXPECT_EQ(written.not_placed, std::vector<WideText>{u"\\\\server\\share\\Velm.exe"});
  // Both spellings of the folder are one folder, holding both files.
  const auto entries = [](const fs::path& path) {
    return std::distance(fs::directory_iterator(path), fs::directory_iterator());
  };
  EXPECT_EQ(entries(folder / "drives/c"), 2);  // Ostrik, Office
  for (const auto& ostrik : fs::directory_iterator(folder / "drives/c")) {
    if (ostrik.path().filename() == "Office") continue;
    EXPECT_EQ(entries(ostrik.path()), 1);
    // The settings file too, and the folder that a path climbs out of.
    EXPECT_EQ(entries(*fs::directory_iterator(ostrik.path())), 4);
  }
  EXPECT_FALSE(fs::exists(folder / "drives/c/Ostrik/Gone"));

  const test::ScopedEnv machine("TOVREL_MACHINE", folder.c_str());
  const Platform platform = MakePlatform();
  const auto key =
      platform.registry->OpenKey(RegistryRoot::kLocalMachine, u"SOFTWARE\\Ostrik\\VL921\\1");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString(u"Sciezka"), u"C:\\Ostrik\\\"Velmora\"\\");
  EXPECT_EQ(key->ReadString(u"Lines"), u"one\r\ntwo\ttab");
  EXPECT_EQ(key->ReadString(u""), u"default");
  EXPECT_THROW(static_cast<void>(key->ReadString(u"Number")), RegistryError);
  EXPECT_NE(platform.registry->OpenKey(RegistryRoot::kCurrentUser,
                                       u"SOFTWARE\\Ostrik\\VL930\\Biuro\\Program"),
            nullptr);

  const auto setting = [&](WideView name) {
    return platform.profiles->ReadProfileString(kIni, u"Program", name, u"missing");
  };
  EXPECT_EQ(setting(u"Numer"), u"  5 ");
  EXPECT_EQ(setting(u"Wersja"), u"\"9.21\"");
  EXPECT_EQ(setting(u"Wydanie"), u"\u0142");
  EXPECT_EQ(setting(u"Program"), u"missing");

  EXPECT_TRUE(platform.files->FileExists(u"C:\\Ostrik\\Velmora\\Velm_Prog.vba"));
  EXPECT_TRUE(platform.files->FileExists(u"C:\\Ostrik\\Velmora\\Velm.exe"));
  EXPECT_TRUE(platform.files->FileExists(u"c:\\OSTRIK\\velmora\\.\\\\Old\\..\\Velm.exe"));

  EXPECT_EQ(platform.installer->EnumProducts(0), WideText(kOffice));
  EXPECT_EQ(platform.installer->EnumProducts(1), std::nullopt);
  const ComponentPath excel = platform.installer->GetComponentPath(kOffice, kExcel);
  EXPECT_EQ(excel.state, InstallState::kLocal);
  EXPECT_EQ(excel.path, u"C:\\Office\\EXCEL.EXE");
  EXPECT_EQ(platform.installer->GetProductInfo(kOffice, u"InstalledProductName"), u"Office");
  EXPECT_EQ(platform.installer->GetProductInfo(kOffice, u"VersionString"), u"");
}

TEST(MachineFolder, WritesOnlyIntoANewOrEmptyFolder) {
  const test::TempDir dir;
  static_cast<void>(dir.Write("kept.txt", "kept"));
  EXPECT_THROW(capture::WriteMachineFolder(Record(), dir.path()), std::runtime_error);
  EXPECT_EQ(test::ReadBytes(dir.path() / "kept.txt"), "kept");
  EXPECT_FALSE(fs::exists(dir.path() / "registry"));
}

}  // namespace
}  // namespace tovrel
