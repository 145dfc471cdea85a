#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "shell/FirewallRegistration.h"
#include "support/TestFiles.h"

#ifndef _WIN32
#include "support/SampleMachine.h"
#endif

namespace tovrel {
namespace {

constexpr WideView kImage = u"C:\\Program Files\\Velmora\\vl.exe";

// The machine's own firewall: Windows Firewall under Wine, the sample machine's elsewhere, with
// the firewall on and no application listed.
class FirewallConformance : public testing::Test {
 protected:
#ifndef _WIN32
  test::SampleMachine machine_{"FirewallEnabled=1\nExceptionsNotAllowed=0\n"};
#endif
  Platform platform_ = MakePlatform();
};

TEST_F(FirewallConformance, TheCurrentProfileTakesAnEntryAndThenListsIt) {
  const auto profile = platform_.firewall->CurrentProfile();
  ASSERT_NE(profile, nullptr);
  profile->AddApplication({.process_image_file_name = WideText(kImage),
                           .name = u"Velmora",
                           .scope = FirewallScope::kAll,
                           .ip_version = FirewallIpVersion::kAny,
                           .enabled = true});
  EXPECT_TRUE(IsApplicationAuthorized(*platform_.firewall->CurrentProfile(), kImage));
}

TEST_F(FirewallConformance, RegisteringTwiceGivesOneBothTimes) {
  EXPECT_EQ(DoAddToFirewall(*platform_.firewall, kImage, u"Velmora", true), 1);
  EXPECT_EQ(DoAddToFirewall(*platform_.firewall, kImage, u"Other", false), 1);
}

// Names the Windows firewall cannot list are refused before the firewall is asked.
TEST_F(FirewallConformance, ANameTooLongOrWithControlCharactersIsRefused) {
  for (const auto& [name, result] : {
           std::pair{WideText(255, u'n'), 1},
           std::pair{WideText(256, u'n'), 0},
           std::pair{WideText(u"Vel\nmora"), 0},
           std::pair{WideText(u"Vel\tmora"), 0},
           std::pair{WideText(u"Vel\x7Fmora"), 0},
           std::pair{WideText(u"Vel\x85mora"), 0},
           std::pair{WideText(u"Velmora \u0141\u00F3d\u017A"), 1},
       }) {
    EXPECT_EQ(DoAddToFirewall(*platform_.firewall, kImage, name, true), result)
        << name.size() << " units";
  }
}

}  // namespace
}  // namespace tovrel
