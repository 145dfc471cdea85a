// Which installer states give a component's key path. Neither backend's installer can be given
// a component run from source (the portable one does not model it, and the test packages are
// installed locally), so an installer of the test answers each state.
#include <gtest/gtest.h>

#include "detect/TMSI.h"
#include "platform/Platform.h"
#include "support/PlatformSources.h"

namespace tovrel {
namespace {

class OneStateInstaller final : public InstallerDatabase {
 public:
  explicit OneStateInstaller(InstallState state) : state_(state) {}

  [[nodiscard]] std::optional<WideText> EnumProducts(std::uint32_t) const override { return {}; }
  [[nodiscard]] std::optional<WideText> EnumComponents(std::uint32_t) const override { return {}; }
  [[nodiscard]] ComponentPath GetComponentPath(WideView, WideView) const override {
    return {state_, u"C:\\Office\\EXCEL.EXE"};
  }
  [[nodiscard]] ComponentPath LocateComponent(WideView) const override {
    return {state_, u"C:\\Office\\EXCEL.EXE"};
  }
  [[nodiscard]] std::optional<WideText> GetProductCode(WideView) const override { return {}; }
  [[nodiscard]] std::optional<WideText> GetProductInfo(WideView, WideView) const override {
    return {};
  }

 private:
  InstallState state_;
};

TEST(ComponentState, LocalAndRunFromSourceComponentsHaveAPath) {
  const Platform platform = MakePlatform();
  for (const auto& [state, installed] : {
           std::pair{InstallState::kLocal, true},
           std::pair{InstallState::kSource, true},
           std::pair{InstallState::kAbsent, false},
           std::pair{InstallState::kUnknown, false},
           std::pair{InstallState::kMoreData, false},
       }) {
    const OneStateInstaller installer(state);
    const TMSI msi(DetectionSources{installer, test::ConfigSourcesOf(platform), *platform.files,
                                    *platform.versions, *platform.messages});
    const WideText expected = installed ? u"C:\\Office\\EXCEL.EXE" : u"";
    const int shown = static_cast<int>(state);
    EXPECT_EQ(msi.GetComponentPath(u"{P}", u"{C}"), expected) << shown;
    EXPECT_EQ(msi.LocateComponent(u"{C}"), expected) << shown;
  }
}

}  // namespace
}  // namespace tovrel
