// The bundled sample machine, captured through the portable backends into a new folder, and that
// folder read in its place: the report and the five latest-installation lookups must come out
// the same, and the folder must hold nothing but what the lookups read. Run by the test entry
// that prepares the machine (TOVREL_TEST_MACHINE=sample).
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "capture/MachineCapture.h"
#include "capture/MachineFolder.h"
#include "detect/TMSI.h"
#include "platform/Platform.h"
#include "support/PlatformSources.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"
#include "text/Utf16Le.h"
#include "xmlsettings/SaveInstalledApps.h"

namespace tovrel {
namespace {

namespace fs = std::filesystem;

struct Answers {
  std::string report;
  std::array<WideText, 5> latest;
};

// What the library answers on the machine in the folder: the report written into a copy of the
// sample machine's settings file, and the five latest installations.
Answers AnswersOn(const fs::path& machine, const fs::path& settings) {
  const test::ScopedEnv use("TOVREL_MACHINE", machine.c_str());
  const Platform platform = MakePlatform();
  const TMSI msi(test::DetectionSourcesOf(platform));
  const test::TempDir dir;
  const fs::path file = dir.Write("settings.xml", test::ReadBytes(settings));
  static_cast<void>(DoXMLSaveInstalledApps({*platform.xml, *platform.files}, msi,
                                           *platform.versions, test::LibraryPath(file)));
  return {test::ReadBytes(file),
          {FindLastExcel(msi), FindLastVelmora(msi), FindLastAstrelo(msi), FindLastFerrolin(msi),
           FindLastPlatnik(msi)}};
}

class SampleMachineCapture : public testing::Test {
 protected:
  void SetUp() override {
    const char* machine = std::getenv("TOVREL_TEST_MACHINE");
    if (machine == nullptr || std::string(machine) != "sample") {
      GTEST_SKIP() << "run by the test entry that prepares the sample machine";
    }
    original_ = std::getenv("TOVREL_MACHINE");
    captured_ = dir_.path() / "captured";
    const Platform platform = MakePlatform();
    listing_ = capture::WriteMachineFolder(capture::CaptureMachine(platform), captured_);
  }

  fs::path original_;
  test::TempDir dir_;
  fs::path captured_;
  capture::MachineFolder listing_;
};

TEST_F(SampleMachineCapture, ReplaysTheSameReportAndLatestInstallations) {
  const fs::path settings = original_ / "settings.xml";
  const Answers expected = AnswersOn(original_, settings);
  const Answers replayed = AnswersOn(captured_, settings);
  EXPECT_EQ(replayed.report, expected.report);
  for (std::size_t i = 0; i < expected.latest.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(expected.latest[i].empty());
    EXPECT_EQ(replayed.latest[i], expected.latest[i]);
  }
  EXPECT_TRUE(listing_.not_placed.empty());
}

// Markers and executables without a version are empty, version carriers are images, settings
// files hold the keys the lookups read; the templates and every other file stay behind.
TEST_F(SampleMachineCapture, HoldsOnlyWhatTheLookupsRead) {
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(captured_ / "drives")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    const std::string bytes = test::ReadBytes(entry.path());
    const std::string extension = entry.path().extension().string();
    if (extension == ".ini") {
      const WideText text = DecodeUtf16Le(bytes);
      for (std::size_t at = text.find(u"\r\n"); at + 2 < text.size();
           at = text.find(u"\r\n", at + 2)) {
        const WideText key = text.substr(at + 2, text.find(u'=', at) - at - 2);
        EXPECT_TRUE(key == u"Numer" || key == u"Program" || key == u"Wersja" || key == u"Wydanie");
      }
    } else if (!bytes.empty()) {
      EXPECT_EQ(bytes.substr(0, 2), "MZ");
      EXPECT_LT(bytes.size(), 4096U);
    }
    EXPECT_NE(extension, ".xml");
  }
  EXPECT_GT(files, 20U);
  // The version carrier gives this installation's version: its settings file is read for the
  // score alone.
  EXPECT_EQ(DecodeUtf16Le(test::ReadBytes(captured_ / "drives/c/Ostrik/Velmora/Velm.ini")),
            u"\uFEFF[Program]\r\nNumer=\"50\"\r\n");
  EXPECT_GE(listing_.written.size(), files + 3);
}

}  // namespace
}  // namespace tovrel
