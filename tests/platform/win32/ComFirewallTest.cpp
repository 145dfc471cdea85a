#include <gtest/gtest.h>

#include "platform/win32/ComFirewall.h"
#include "shell/FirewallRegistration.h"
#include "support/TestFiles.h"

namespace tovrel {
namespace {

// What Wine's firewall objects let the registration reach: the manager, its policy and profile
// answer, the lookup finds an entry for any path (so a registration always ends as "listed
// already"), the firewall reads as off and the exceptions state cannot be read.
TEST(ComFirewall, WineListsEveryApplicationAndKeepsTheFirewallOff) {
  if (!test::RunningUnderWine()) GTEST_SKIP() << "checks Wine's own firewall";
  const win32::ComFirewall firewall;
  const auto profile = firewall.CurrentProfile();
  EXPECT_TRUE(IsApplicationAuthorized(*profile, u"C:\\nowhere\\never.exe"));
  EXPECT_FALSE(profile->FirewallEnabled());
  EXPECT_THROW(static_cast<void>(profile->ExceptionsNotAllowed()), FirewallError);
}

}  // namespace
}  // namespace tovrel
