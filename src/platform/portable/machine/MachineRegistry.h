#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "platform/Registry.h"
#include "platform/regfile/RegistryTree.h"

namespace tovrel::portable {

// Every .reg file of the folder's "registry" subfolder, in name order, applied to a fresh tree.
// Raises RegistryError naming the file and line of the first one that cannot be read; nothing of
// any file is kept then. A machine without that folder has an empty registry.
std::shared_ptr<const RegistryTree> LoadMachineRegistry(const std::filesystem::path& machine,
                                                        const AnsiCodePage& code_page);

// The sample machine's registry: what LoadMachineRegistry gives for the folder that
// TOVREL_MACHINE names. It is loaded again when that folder or its files change, so a program may
// set up the machine after the library is loaded. Within one call (BeginCall to EndCall) the
// folder is looked at when the first key is opened and the call keeps that state; outside a call
// it is looked at on every key. Like the library, it is called from one thread at a time.
class MachineRegistry final : public Registry {
 public:
  // The code page must outlive the object.
  explicit MachineRegistry(const AnsiCodePage& code_page);

  // Raises RegistryError when the machine's registry files cannot be read.
  [[nodiscard]] std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root,
                                                     WideView path) const override;
  void BeginCall() const override;
  void EndCall() const override;

 private:
  [[nodiscard]] std::shared_ptr<const RegistryTree> Current() const;

  const AnsiCodePage& code_page_;
  mutable std::string loaded_stamp_;
  mutable std::shared_ptr<const RegistryTree> loaded_;
  mutable int call_depth_ = 0;
  // Whether loaded_ is the state that the current call sees.
  mutable bool current_in_call_ = false;
};

}  // namespace tovrel::portable
