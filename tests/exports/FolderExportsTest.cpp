// The folder dialog of the Windows build is driven on a virtual display by tests/gui; here the
// portable build's chooser is scripted.
#ifndef _WIN32
#include <gtest/gtest.h>

#include "Tovrel.h"
#include "support/SampleMachine.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedChooser.h"

namespace tovrel {
namespace {

using test::ScopedEnv;

TEST(FolderExports, TheChoiceReachesTheHostInTheAnsiCodePage) {
  const test::SampleMachine machine;
  const test::ScriptedChooser chooser;
  const auto folder = machine.MakeDriveFolder("c/Caf\xC3\xA9");
  const ScopedEnv program("TOVREL_FOLDER_CHOOSER", chooser.program().c_str());
  const ScopedEnv say("ANSWER", folder.c_str());
  const ScopedEnv ok("STATUS", "0");
  EXPECT_STREQ(SelDirectory("Pick", nullptr), "C:\\Caf\xE9");
  EXPECT_EQ(chooser.Arguments(), "--file-selection\n--directory\n--title=Pick\n");
  const ScopedEnv cancel("STATUS", "1");
  EXPECT_STREQ(SelDirectory("Pick", "C:\\"), "");
}

}  // namespace
}  // namespace tovrel
#endif
