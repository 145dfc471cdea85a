#pragma once

#include <cstddef>
#include <cstdint>

#include "config/RegistryValues.h"
#include "detect/DetectionObserver.h"

namespace tovrel {

// Texts the lookups hand to their observer.

// A candidate read from a registry value.
CandidateOrigin RegistryOrigin(RegistryRoot root, WideView key, WideView value_path);

// The value as read and, for a protected one, deciphered.
void TraceRegValue(const DetectionTrace& trace, const StoredRegValue& stored, WideView result);

// A candidate's score against the best so far: it leads (the verdict naming the candidate) only
// when it scores strictly more.
void TraceScore(const DetectionTrace& trace, std::int32_t score, WideView candidate,
                std::int32_t best_score, WideView best);

WideText OfficeGenerationName(std::size_t generation);
WideText Presence(bool present);
WideText NumberText(std::int32_t number);
// The version text, or that there is none.
WideText VersionFound(WideView version);

}  // namespace tovrel
