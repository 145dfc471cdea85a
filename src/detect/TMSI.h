#pragma once

#include <cstdint>
#include <stdexcept>

#include "config/ConfigSources.h"
#include "detect/DetectionObserver.h"
#include "detect/InstalledAppsList.h"
#include "detect/ProductEdition.h"
#include "platform/FileSystem.h"
#include "platform/InstallerDatabase.h"
#include "platform/MessagePump.h"
#include "platform/VersionResources.h"
#include "text/Text.h"

namespace tovrel {

// Raised by a product lookup that was given nothing to look for.
class EDVMSIError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the product lookups read: the installer database, the settings readers' sources, the
// files and their version resources, and the thread's message queue; and whom they tell what
// they do, if anyone.
struct DetectionSources {
  const InstallerDatabase& installer;
  ConfigSources config;
  const FileSystem& files;
  const VersionResources& versions;
  const MessagePump& messages;
  DetectionObserver* observer = nullptr;
};

// Every installed-product lookup of the library. It keeps nothing between calls: each lookup
// reads the platform afresh.
class TMSI {
 public:
  explicit TMSI(const DetectionSources& sources) : sources_(sources) {}

  // The key path of a product's component in the local or source state; empty otherwise.
  [[nodiscard]] WideText GetComponentPath(WideView product, WideView component) const;
  // The same for whichever product installed the component.
  [[nodiscard]] WideText LocateComponent(WideView component) const;
  // The product owning the component, or empty.
  [[nodiscard]] WideText GetProductCode(WideView component) const;
  // A product property, or empty.
  [[nodiscard]] WideText GetProductInfo(WideView product, WideView property) const;
  // The first product code in enumeration order that the pattern matches, or empty.
  [[nodiscard]] WideText FindProductCode(WideView pattern) const;

  // The key path of a component of the first product matching the pattern (that product decides,
  // path or not). Without a component code, the first component of a matching product whose path
  // matches the executable-name pattern, letters A to Z compared in lower case. Raises
  // EDVMSIError when neither is given.
  [[nodiscard]] WideText GetOfficeComponentPath(WideView product_pattern, WideView component,
                                                WideView exe_name) const;
  // Appends "folder=name (version)" for the Office generation whose Excel lies at the path.
  void AddOfficeProduct(std::size_t generation, WideView path, InstalledAppsList& list) const;

  // The latest installation of an edition: replaces dir and best_score when one scores strictly
  // more than best_score. Editions above peFR110, and peAS930, change nothing.
  void GetLastInstallDir(std::uint8_t edition, WideText& dir, std::int32_t& best_score) const;
  // Appends "directory=display name version" for each qualifying installation of the edition
  // whose directory is not listed yet.
  void ListInstallations(std::uint8_t edition, InstalledAppsList& list) const;

  // The e-filing program's executable under a settings key: replaces path and best_score when
  // one scores strictly more than best_score.
  void FindFerrolin(WideView key, WideText& path, bool use_current_user,
                    std::int32_t& best_score) const;
  // Appends "folder=Ferrolin version" for each installation under the key not listed yet.
  void ListFerrolin(WideView key, InstalledAppsList& list, bool use_current_user) const;
  // The Płatnik executable: replaces path and best_score when it scores strictly more; never
  // raises.
  void FindPlatnik(WideText& path, std::int32_t& best_score) const;

  // What the lookups tell their observer, if they have one.
  [[nodiscard]] DetectionTrace trace() const { return DetectionTrace(sources_.observer); }

 private:
  [[nodiscard]] const InstallerDatabase& installer() const { return sources_.installer; }

  DetectionSources sources_;
};

// The key path of the Excel of the newest Office generation installed, or empty.
WideText FindLastExcel(const TMSI& msi);
// The directory of the latest Velmora installation, or empty.
WideText FindLastVelmora(const TMSI& msi);
// The directory of the latest Astrelo installation, or empty.
WideText FindLastAstrelo(const TMSI& msi);
// The full path of the chosen e-filing executable, or empty.
WideText FindLastFerrolin(const TMSI& msi);
// The full path of the Płatnik executable, or empty.
WideText FindLastPlatnik(const TMSI& msi);

}  // namespace tovrel
