#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Tovrel.h"
#include "support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "support/SampleMachine.h"
#endif

namespace tovrel {
namespace {

constexpr char kImage[] = "C:\\Program Files\\Velmora\\vl.exe";

#ifdef _WIN32

TEST(FirewallExports, WineTakesEveryExecutableAsListedAlready) {
  if (!test::RunningUnderWine()) GTEST_SKIP() << "Windows would really register the program";
  EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 1);
  EXPECT_EQ(AddToFirewall(nullptr, nullptr, 0), 1);
}

TEST(FirewallExports, AFirewallThatCannotBeReachedGivesZero) {
  // A thread the host never initialised COM on cannot create the firewall manager.
  std::int32_t result = -1;
  std::thread([&] { result = AddToFirewall(kImage, "Velmora", 1); }).join();
  EXPECT_EQ(result, 0);
}

#else

constexpr char kOn[] = "# current profile\nFirewallEnabled=1\nExceptionsNotAllowed=0\n";

std::string Listed(const char* enabled) {
  return std::string("Application=") + kImage + "|Velmora|0|2|" + enabled + "\n";
}

TEST(FirewallExports, AnEntryIsAddedWithItsPropertiesInOrderAndTheLowByteAsEnabled) {
  for (const auto& [flag, enabled] :
       {std::pair{0u, "0"}, std::pair{1u, "-1"}, std::pair{255u, "-1"}, std::pair{256u, "0"}}) {
    const test::SampleMachine machine(kOn);
    EXPECT_EQ(AddToFirewall(kImage, "Velmora", flag), 1);
    EXPECT_EQ(test::ReadBytes(machine.firewall()), kOn + Listed(enabled)) << "flag " << flag;
  }
}

TEST(FirewallExports, AListedExecutableKeepsItsEntryWhateverTheArguments) {
  const std::string listed = kOn + Listed("0");
  const test::SampleMachine machine(listed.c_str());
  EXPECT_EQ(AddToFirewall("c:\\program files\\VELMORA\\vl.exe", "Other", 1), 1);
  EXPECT_EQ(AddToFirewall(kImage, "Velmora", 0), 1);
  EXPECT_EQ(test::ReadBytes(machine.firewall()), listed);
}

TEST(FirewallExports, AFirewallThatIsOffOrAllowsNoExceptionsIsLeftAlone) {
  // Of a setting given twice, the last line decides.
  for (const char* profile :
       {"FirewallEnabled=0\nExceptionsNotAllowed=0\n", "FirewallEnabled=0\n",
        "FirewallEnabled=1\nExceptionsNotAllowed=1\n",
        "FirewallEnabled=1\nExceptionsNotAllowed=0\nFirewallEnabled=0\n",
        "ExceptionsNotAllowed=0\nFirewallEnabled=1\nExceptionsNotAllowed=1\n"}) {
    const test::SampleMachine machine(profile);
    EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 1) << profile;
    EXPECT_EQ(test::ReadBytes(machine.firewall()), profile);
  }
}

TEST(FirewallExports, AFirewallThatCannotBeReachedOrRefusesGivesZeroAndStaysAsItWas) {
  {
    const test::SampleMachine no_firewall;
    EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 0);
  }
  for (const char* unreadable : {"FirewallEnabled=yes\n", "ExceptionsNotAllowed=0\n",
                                 "FirewallEnabled=1\nExceptionsNotAllowed=\n"}) {
    const test::SampleMachine machine(unreadable);
    EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 0) << unreadable;
    EXPECT_EQ(test::ReadBytes(machine.firewall()), unreadable);
  }
  {
    // A FIFO in the firewall file's place is no firewall, and is not waited on.
    const test::SampleMachine fifo;
    ASSERT_EQ(::mkfifo(fifo.firewall().c_str(), 0644), 0);
    EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 0);
  }
  const test::SampleMachine machine(kOn);
  EXPECT_EQ(AddToFirewall("C:\\a|b.exe", "Velmora", 1), 0);
  EXPECT_EQ(AddToFirewall(kImage, "Two\nlines", 1), 0);
  EXPECT_EQ(AddToFirewall(kImage, "Velmora|1|2", 1), 0);
  EXPECT_EQ(AddToFirewall(kImage, std::string(256, 'n').c_str(), 1), 0);
  EXPECT_EQ(AddToFirewall(kImage, "Vel\x01mora", 1), 0);
  EXPECT_EQ(test::ReadBytes(machine.firewall()), kOn);
  // Without write permission the firewall refuses, as Windows does without administrative rights.
  ::chmod(machine.firewall().c_str(), 0444);
  EXPECT_EQ(AddToFirewall(kImage, "Velmora", 1), 0);
  EXPECT_EQ(test::ReadBytes(machine.firewall()), kOn);
}

#endif

}  // namespace
}  // namespace tovrel
