#pragma once

#include <utility>
#include <vector>

#include "detect/DetectionObserver.h"

namespace tovrel {

// One candidate as a lookup saw it: where it came from, what was checked, what was decided.
struct ExplainedCandidate {
  CandidateOrigin origin;
  std::vector<std::pair<WideText, WideText>> checks;
  CandidateVerdict verdict = CandidateVerdict::kPassedOver;
  WideText why;
  // The candidate the lookup answered with.
  bool chosen = false;
};

// A stage of a lookup with the candidates it considered; the first stage may be unnamed.
struct ExplainedStep {
  WideText what;
  std::vector<ExplainedCandidate> candidates;
};

// Records what the lookups tell it. The candidate that led last is the one the lookup chose;
// one that led before it lost to it.
class ExplanationRecorder final : public DetectionObserver {
 public:
  void Step(WideView what) override;
  void Candidate(const CandidateOrigin& origin) override;
  void Check(WideView what, WideView found) override;
  void Verdict(CandidateVerdict verdict, WideView why) override;

  // The steps recorded so far, with the final verdicts; the recorder starts afresh.
  [[nodiscard]] std::vector<ExplainedStep> Take();

 private:
  [[nodiscard]] ExplainedCandidate* Current();

  std::vector<ExplainedStep> steps_;
};

}  // namespace tovrel
