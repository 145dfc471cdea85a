#ifndef _WIN32
#include "support/SampleMachine.h"

namespace tovrel::test {

SampleMachine::SampleMachine(const char* firewall)
    : machine_("TOVREL_MACHINE", dir_.path().c_str()) {
  if (firewall != nullptr) dir_.Write("firewall.txt", firewall);
}

std::filesystem::path SampleMachine::MakeDriveFolder(std::string_view relative) const {
  const auto folder = root() / "drives" / relative;
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace tovrel::test
#endif
