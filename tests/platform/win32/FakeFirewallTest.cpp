// The Windows firewall code against firewall objects of this test: Wine's own answer "listed"
// for every path, so only objects of the same interfaces can show what the code sets and adds.
// They are registered as the classes CoCreateInstance makes, for this thread's apartment.
#include <windows.h>

#include <gtest/gtest.h>
#include <netfw.h>

#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/ComFirewall.h"
#include "platform/win32/FirewallIds.h"
#include "shell/FirewallRegistration.h"

namespace tovrel {
namespace {

using win32::kINetFwAuthorizedApplication;
using win32::kINetFwMgr;
using win32::kNetFwAuthorizedApplication;
using win32::kNetFwMgr;

// The firewall the fakes stand for, and every change made to it, in order.
struct FirewallState {
  VARIANT_BOOL enabled = VARIANT_TRUE;
  HRESULT exceptions_state = S_OK;
  VARIANT_BOOL exceptions_not_allowed = VARIANT_FALSE;
  HRESULT add_result = S_OK;
  std::set<std::wstring> listed;
  std::vector<std::wstring> changes;
};

FirewallState* g_state = nullptr;

std::wstring Text(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// IUnknown and IDispatch for one interface; the dispatch calls are not used by the code.
template <typename Interface>
class FakeObject : public Interface {
 public:
  explicit FakeObject(const IID& id) : id_(id) {}
  virtual ~FakeObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, id_)) {
      *object = this;
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

 private:
  IID id_;
  std::atomic<ULONG> references_{1};
};

class FakeEntry final : public FakeObject<INetFwAuthorizedApplication> {
 public:
  FakeEntry() : FakeObject(kINetFwAuthorizedApplication) {}

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    *name = SysAllocString(name_.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override {
    name_ = Text(name);
    return Record(L"Name=" + name_);
  }
  HRESULT STDMETHODCALLTYPE get_ProcessImageFileName(BSTR* path) override {
    *path = SysAllocString(path_.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_ProcessImageFileName(BSTR path) override {
    path_ = Text(path);
    return Record(L"ProcessImageFileName=" + path_);
  }
  HRESULT STDMETHODCALLTYPE get_IpVersion(NET_FW_IP_VERSION*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_IpVersion(NET_FW_IP_VERSION version) override {
    return Record(L"IpVersion=" + std::to_wstring(version));
  }
  HRESULT STDMETHODCALLTYPE get_Scope(NET_FW_SCOPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Scope(NET_FW_SCOPE scope) override {
    return Record(L"Scope=" + std::to_wstring(scope));
  }
  HRESULT STDMETHODCALLTYPE get_RemoteAddresses(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RemoteAddresses(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL enabled) override {
    return Record(L"Enabled=" + std::to_wstring(enabled));
  }

 private:
  static HRESULT Record(std::wstring change) {
    g_state->changes.push_back(std::move(change));
    return S_OK;
  }

  std::wstring name_;
  std::wstring path_;
};

class FakeApplications final : public FakeObject<INetFwAuthorizedApplications> {
 public:
  FakeApplications() : FakeObject(__uuidof(INetFwAuthorizedApplications)) {}

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    *count = static_cast<LONG>(g_state->listed.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Add(INetFwAuthorizedApplication* application) override {
    if (FAILED(g_state->add_result)) return g_state->add_result;
    BSTR path = nullptr;
    application->get_ProcessImageFileName(&path);
    g_state->changes.push_back(L"Add " + Text(path));
    g_state->listed.insert(Text(path));
    SysFreeString(path);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Remove(BSTR) override { return E_NOTIMPL; }
  // As Windows answers: an entry for a listed path, else a failure.
  HRESULT STDMETHODCALLTYPE Item(BSTR path, INetFwAuthorizedApplication** application) override {
    *application = nullptr;
    if (!g_state->listed.contains(Text(path))) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    *application = new FakeEntry();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown**) override { return E_NOTIMPL; }
};

class FakeProfile final : public FakeObject<INetFwProfile> {
 public:
  FakeProfile() : FakeObject(__uuidof(INetFwProfile)) {}

  HRESULT STDMETHODCALLTYPE get_Type(NET_FW_PROFILE_TYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FirewallEnabled(VARIANT_BOOL* enabled) override {
    *enabled = g_state->enabled;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_FirewallEnabled(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ExceptionsNotAllowed(VARIANT_BOOL* not_allowed) override {
    *not_allowed = g_state->exceptions_not_allowed;
    return g_state->exceptions_state;
  }
  HRESULT STDMETHODCALLTYPE put_ExceptionsNotAllowed(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_NotificationsDisabled(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_NotificationsDisabled(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE
  get_UnicastResponsesToMulticastBroadcastDisabled(VARIANT_BOOL*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE
  put_UnicastResponsesToMulticastBroadcastDisabled(VARIANT_BOOL) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_RemoteAdminSettings(INetFwRemoteAdminSettings**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_IcmpSettings(INetFwIcmpSettings**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_GloballyOpenPorts(INetFwOpenPorts**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Services(INetFwServices**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE
  get_AuthorizedApplications(INetFwAuthorizedApplications** applications) override {
    *applications = new FakeApplications();
    return S_OK;
  }
};

class FakePolicy final : public FakeObject<INetFwPolicy> {
 public:
  FakePolicy() : FakeObject(__uuidof(INetFwPolicy)) {}

  HRESULT STDMETHODCALLTYPE get_CurrentProfile(INetFwProfile** profile) override {
    *profile = new FakeProfile();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetProfileByType(NET_FW_PROFILE_TYPE, INetFwProfile**) override {
    return E_NOTIMPL;
  }
};

class FakeManager final : public FakeObject<INetFwMgr> {
 public:
  FakeManager() : FakeObject(kINetFwMgr) {}

  HRESULT STDMETHODCALLTYPE get_LocalPolicy(INetFwPolicy** policy) override {
    *policy = new FakePolicy();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_CurrentProfileType(NET_FW_PROFILE_TYPE*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE RestoreDefaults() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPortAllowed(BSTR, NET_FW_IP_VERSION, LONG, BSTR, NET_FW_IP_PROTOCOL,
                                          VARIANT*, VARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE IsIcmpTypeAllowed(NET_FW_IP_VERSION, BSTR, BYTE, VARIANT*,
                                              VARIANT*) override {
    return E_NOTIMPL;
  }
};

// Makes one of the fakes for CoCreateInstance; lives as long as its registration.
template <typename Object>
class FakeFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* made = new Object();
    const HRESULT result = made->QueryInterface(riid, object);
    made->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// Puts a class object in the place of a firewall class while it lives.
class Registration {
 public:
  Registration(const CLSID& type, IClassFactory* factory) {
    EXPECT_EQ(
        CoRegisterClassObject(type, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_),
        S_OK);
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
  ~Registration() { CoRevokeClassObject(cookie_); }

 private:
  DWORD cookie_ = 0;
};

class FakeFirewall : public testing::Test {
 protected:
  FakeFirewall() { g_state = &state_; }
  ~FakeFirewall() override { g_state = nullptr; }

  [[nodiscard]] std::int32_t Add(bool enable) const {
    return DoAddToFirewall(firewall_, u"C:\\Velmora\\vl.exe", u"Velmora", enable);
  }

  FirewallState state_;
  FakeFactory<FakeManager> managers_;
  FakeFactory<FakeEntry> entries_;
  Registration manager_{kNetFwMgr, &managers_};
  Registration entry_{kNetFwAuthorizedApplication, &entries_};
  win32::ComFirewall firewall_;
};

TEST_F(FakeFirewall, ANewEntryGetsEachPropertyInOrderAndIsAdded) {
  for (const bool enable : {true, false}) {
    state_.listed.clear();
    state_.changes.clear();
    EXPECT_EQ(Add(enable), 1);
    EXPECT_EQ(state_.changes, (std::vector<std::wstring>{
                                  L"ProcessImageFileName=C:\\Velmora\\vl.exe",
                                  L"Name=Velmora",
                                  L"Scope=0",
                                  L"IpVersion=2",
                                  enable ? L"Enabled=-1" : L"Enabled=0",
                                  L"Add C:\\Velmora\\vl.exe",
                              }));
  }
}

TEST_F(FakeFirewall, AListedExecutableKeepsItsEntry) {
  state_.listed.insert(L"C:\\Velmora\\vl.exe");
  EXPECT_EQ(Add(true), 1);
  EXPECT_TRUE(state_.changes.empty());
}

TEST_F(FakeFirewall, AFirewallThatIsOffOrAllowsNoExceptionsIsLeftAlone) {
  state_.enabled = VARIANT_FALSE;
  state_.exceptions_state = E_NOTIMPL;
  EXPECT_EQ(Add(true), 1);
  state_.enabled = VARIANT_TRUE;
  state_.exceptions_state = S_OK;
  state_.exceptions_not_allowed = VARIANT_TRUE;
  EXPECT_EQ(Add(true), 1);
  EXPECT_TRUE(state_.changes.empty());
  EXPECT_TRUE(state_.listed.empty());
}

TEST_F(FakeFirewall, AStateThatCannotBeReadOrARefusedEntryIsAnError) {
  state_.exceptions_state = E_ACCESSDENIED;
  EXPECT_THROW(static_cast<void>(Add(true)), FirewallError);
  state_.exceptions_state = S_OK;
  state_.add_result = E_ACCESSDENIED;
  EXPECT_THROW(static_cast<void>(Add(true)), FirewallError);
  EXPECT_TRUE(state_.listed.empty());
}

}  // namespace
}  // namespace tovrel
