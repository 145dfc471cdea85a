#include "platform/win32/ComFirewall.h"

#include <windows.h>

#include <netfw.h>

#include "platform/win32/ComPtr.h"
#include "platform/win32/ComText.h"
#include "platform/win32/FirewallIds.h"

namespace tovrel::win32 {
namespace {

void Check(HRESULT result, const char* failure) {
  if (FAILED(result)) throw FirewallError(failure);
}

template <typename Interface>
ComPtr<Interface> Create(const CLSID& type, const IID& interface_id, const char* failure) {
  ComPtr<Interface> object;
  Check(CoCreateInstance(type, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, interface_id,
                         object.put_void()),
        failure);
  if (!object) throw FirewallError(failure);
  return object;
}

class ComFirewallProfile final : public FirewallProfile {
 public:
  ComFirewallProfile(ComPtr<INetFwMgr> manager, ComPtr<INetFwProfile> profile)
      : manager_(std::move(manager)), profile_(std::move(profile)) {}

  [[nodiscard]] bool HoldsApplication(WideView image_path) const override {
    const ComPtr<INetFwAuthorizedApplications> applications = Applications();
    const UniqueBstr path = MakeBstr(image_path);
    ComPtr<INetFwAuthorizedApplication> entry;
    Check(applications->Item(path.get(), entry.put()), "the firewall lists no such application");
    return static_cast<bool>(entry);
  }

  [[nodiscard]] bool FirewallEnabled() const override {
    VARIANT_BOOL enabled = VARIANT_FALSE;
    Check(profile_->get_FirewallEnabled(&enabled), "the firewall state cannot be read");
    return enabled != VARIANT_FALSE;
  }

  [[nodiscard]] bool ExceptionsNotAllowed() const override {
    VARIANT_BOOL refused = VARIANT_FALSE;
    Check(profile_->get_ExceptionsNotAllowed(&refused), "the exceptions state cannot be read");
    return refused != VARIANT_FALSE;
  }

  void AddApplication(const AuthorizedApplication& application) override {
    const auto entry = Create<INetFwAuthorizedApplication>(
        kNetFwAuthorizedApplication, kINetFwAuthorizedApplication, "no application entry");
    const char* refused = "the application entry refuses a property";
    Check(entry->put_ProcessImageFileName(MakeBstr(application.process_image_file_name).get()),
          refused);
    Check(entry->put_Name(MakeBstr(application.name).get()), refused);
    Check(entry->put_Scope(static_cast<NET_FW_SCOPE>(application.scope)), refused);
    Check(entry->put_IpVersion(static_cast<NET_FW_IP_VERSION>(application.ip_version)), refused);
    Check(entry->put_Enabled(application.enabled ? VARIANT_TRUE : VARIANT_FALSE), refused);
    Check(Applications()->Add(entry.get()), "the firewall refuses the application");
  }

 private:
  [[nodiscard]] ComPtr<INetFwAuthorizedApplications> Applications() const {
    ComPtr<INetFwAuthorizedApplications> applications;
    Check(profile_->get_AuthorizedApplications(applications.put()),
          "the authorised applications cannot be read");
    if (!applications) throw FirewallError("the authorised applications cannot be read");
    return applications;
  }

  ComPtr<INetFwMgr> manager_;
  ComPtr<INetFwProfile> profile_;
};

}  // namespace

std::unique_ptr<FirewallProfile> ComFirewall::CurrentProfile() const {
  auto manager = Create<INetFwMgr>(kNetFwMgr, kINetFwMgr, "the firewall manager cannot be made");
  ComPtr<INetFwPolicy> policy;
  Check(manager->get_LocalPolicy(policy.put()), "the firewall policy cannot be read");
  if (!policy) throw FirewallError("the firewall policy cannot be read");
  ComPtr<INetFwProfile> profile;
  Check(policy->get_CurrentProfile(profile.put()), "the firewall profile cannot be read");
  if (!profile) throw FirewallError("the firewall profile cannot be read");
  return std::make_unique<ComFirewallProfile>(std::move(manager), std::move(profile));
}

}  // namespace tovrel::win32
