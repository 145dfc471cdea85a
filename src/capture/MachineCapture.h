#pragma once

#include "capture/MachineRecord.h"
#include "platform/Platform.h"

namespace tovrel::capture {

// Reads from the platform everything that the installed-applications report and the five
// latest-installation lookups read, by running those lookups over recording stand-ins of the
// platform's services, and the state of the firewall's current profile. Nothing is changed.
MachineRecord CaptureMachine(const Platform& platform);

}  // namespace tovrel::capture
