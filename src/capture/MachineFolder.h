#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "capture/MachineRecord.h"

namespace tovrel::capture {

// One file of a written sample-machine folder.
struct CapturedFile {
  WideText path;     // relative to the folder, with "/" between names
  std::string what;  // what it holds, in a few words
};

struct MachineFolder {
  std::vector<CapturedFile> written;
  // Paths that were read on the machine but lie on no drive (network paths, or paths that climb
  // above their drive's root): the folder cannot hold them.
  std::vector<WideText> not_placed;
};

// Writes the record as a sample-machine folder: registry/00-installer.reg (the products in
// Windows Installer's own per-machine layout), registry/10-lookups.reg (every key read, with the
// values read), drives/<letter>/... (markers and executables without a version resource as empty
// files, version carriers as small images holding the same version resource, settings files
// with only the values read) and firewall.txt. Names that differ only in case share one folder
// or file, the first spelling met. The folder must not exist or be empty; raises
// std::runtime_error when it is not, or when a file cannot be written.
MachineFolder WriteMachineFolder(const MachineRecord& record, const std::filesystem::path& folder);

}  // namespace tovrel::capture
