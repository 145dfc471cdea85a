#pragma once

#include "detect/DetectionObserver.h"
#include "fileutil/IntegerText.h"
#include "platform/Registry.h"
#include "text/Text.h"

namespace tovrel {

// True for a Windows absolute path: a drive letter followed by ":\", or a UNC path starting with
// "\\", "/" standing for "\" as it does when Windows opens a path. Anything else ("Err", the empty
// text, "Velmora", "\Velmora", "C:Velmora") would be looked up relative to the installer's current
// directory or drive, where a planted file must not pass for an installed product.
bool IsAbsoluteWindowsPath(WideView path);

// The directory and the file name with one "\" between them; a directory ending in "\" or "/"
// keeps it as the separator.
WideText JoinPath(WideView directory, WideView name);

// The version an installation is listed with: FormatVersionText with the release, or empty, as
// for an executable without a version, when the text does not convert ("9.x.1"); the lookups
// that choose the latest installation score by other numbers and choose it all the same.
WideText ListedVersion(WideView file_version);

// Reads one registered installation. A registry value that is not text, or a version text that a
// score is taken from and that does not convert, makes that installation unreadable: it is
// passed over, so that the next ones are still found.
template <typename Read>
void ReadInstallation(const DetectionTrace& trace, Read&& read) {
  try {
    read();
  } catch (const RegistryError&) {
    trace.Verdict(CandidateVerdict::kPassedOver, [] { return WideText(u"value not text"); });
  } catch (const EConversionError&) {
    trace.Verdict(CandidateVerdict::kPassedOver,
                  [] { return WideText(u"version text does not convert"); });
  }
}

}  // namespace tovrel
