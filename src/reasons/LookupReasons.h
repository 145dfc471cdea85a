#pragma once

#include <vector>

#include "detect/ExplanationRecorder.h"
#include "reasons/Reason.h"

namespace tovrel {

// Why a lookup answered an empty folder: no installation of the product qualified.
[[nodiscard]] Reasons LookupReasons(WideView product);

// The name of a candidate's verdict, as an explanation shows it: chosen, listed, passed over.
[[nodiscard]] const char* VerdictName(const ExplainedCandidate& candidate);

// Where a candidate came from, in one line.
[[nodiscard]] WideText OriginText(const CandidateOrigin& origin);

// What a lookup considered, one line each: its stages, each candidate with its checks indented
// below it, and the verdict with why.
[[nodiscard]] std::vector<WideText> ExplanationLines(const std::vector<ExplainedStep>& steps);

}  // namespace tovrel
