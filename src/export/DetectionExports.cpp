#include "Tovrel.h"
#include "detect/TMSI.h"
#include "export/ExportBoundary.h"
#include "fileutil/DirectoryPart.h"
#include "reasons/LookupReasons.h"

namespace tovrel {
namespace {

WideText Excel(const TMSI& msi) {
  return DirectoryPart(FindLastExcel(msi));
}
WideText Ferrolin(const TMSI& msi) {
  return DirectoryPart(FindLastFerrolin(msi));
}
WideText Platnik(const TMSI& msi) {
  return DirectoryPart(FindLastPlatnik(msi));
}

// A lookup's folder; its listener hears what it considered and, for an empty answer, that no
// installation qualified.
WideText Lookup(Module& module, Call& call, WideText (*find)(const TMSI&), WideView product) {
  WideText folder = find(module.msi(call.recorder()));
  if (folder.empty()) call.Because([&] { return LookupReasons(product); });
  return folder;
}

// The 8-bit and the wide export of a lookup.
template <WideText (*Find)(const TMSI&)>
const char* AnsiLookup(WideView name, WideView product) noexcept {
  return AnsiTextExport(
      name, [&](Module& module, Call& call) { return Lookup(module, call, Find, product); });
}
template <WideText (*Find)(const TMSI&)>
const TovrelWideChar* WideLookup(WideView name, WideView product) noexcept {
  return WideTextExport(
      name, [&](Module& module, Call& call) { return Lookup(module, call, Find, product); });
}

constexpr WideView kExcel = u"Excel";
constexpr WideView kFerrolin = u"Ferrolin";
constexpr WideView kPlatnik = u"P\u0142atnik";
constexpr WideView kVelmora = u"Velmora";
constexpr WideView kAstrelo = u"Astrelo";

}  // namespace
}  // namespace tovrel

using tovrel::AnsiLookup;
using tovrel::WideLookup;

extern "C" {

const char* TOVREL_CALL GetLastExcel(void) {
  return AnsiLookup<tovrel::Excel>(u"GetLastExcel", tovrel::kExcel);
}
const TovrelWideChar* TOVREL_CALL GetLastExcelW(void) {
  return WideLookup<tovrel::Excel>(u"GetLastExcelW", tovrel::kExcel);
}
const char* TOVREL_CALL GetLastFR(void) {
  return AnsiLookup<tovrel::Ferrolin>(u"GetLastFR", tovrel::kFerrolin);
}
const TovrelWideChar* TOVREL_CALL GetLastFRW(void) {
  return WideLookup<tovrel::Ferrolin>(u"GetLastFRW", tovrel::kFerrolin);
}
const char* TOVREL_CALL GetLastPlatnik(void) {
  return AnsiLookup<tovrel::Platnik>(u"GetLastPlatnik", tovrel::kPlatnik);
}
const TovrelWideChar* TOVREL_CALL GetLastPlatnikW(void) {
  return WideLookup<tovrel::Platnik>(u"GetLastPlatnikW", tovrel::kPlatnik);
}
const char* TOVREL_CALL GetLastVL(void) {
  return AnsiLookup<tovrel::FindLastVelmora>(u"GetLastVL", tovrel::kVelmora);
}
const TovrelWideChar* TOVREL_CALL GetLastVLW(void) {
  return WideLookup<tovrel::FindLastVelmora>(u"GetLastVLW", tovrel::kVelmora);
}
const char* TOVREL_CALL GetLastAS(void) {
  return AnsiLookup<tovrel::FindLastAstrelo>(u"GetLastAS", tovrel::kAstrelo);
}
const TovrelWideChar* TOVREL_CALL GetLastASW(void) {
  return WideLookup<tovrel::FindLastAstrelo>(u"GetLastASW", tovrel::kAstrelo);
}

}  // extern "C"
