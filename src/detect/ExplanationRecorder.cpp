#include "detect/ExplanationRecorder.h"

namespace tovrel {

void ExplanationRecorder::Step(WideView what) {
  steps_.push_back({WideText(what), {}});
}

void ExplanationRecorder::Candidate(const CandidateOrigin& origin) {
  if (steps_.empty()) steps_.emplace_back();
  ExplainedCandidate candidate;
  candidate.origin = origin;
  steps_.back().candidates.push_back(std::move(candidate));
}

void ExplanationRecorder::Check(WideView what, WideView found) {
  ExplainedCandidate* candidate = Current();
  if (candidate == nullptr) return;
  // A lookup may ask the same thing twice (the marker of a folder that is not redirected); the
  // explanation tells it once.
  for (const auto& [check, result] : candidate->checks) {
    if (check == what && result == found) return;
  }
  candidate->checks.emplace_back(WideText(what), WideText(found));
}

void ExplanationRecorder::Verdict(CandidateVerdict verdict, WideView why) {
  if (ExplainedCandidate* candidate = Current()) {
    candidate->verdict = verdict;
    candidate->why = WideText(why);
  }
}

ExplainedCandidate* ExplanationRecorder::Current() {
  return steps_.empty() || steps_.back().candidates.empty() ? nullptr
                                                            : &steps_.back().candidates.back();
}

std::vector<ExplainedStep> ExplanationRecorder::Take() {
  ExplainedCandidate* last_leader = nullptr;
  for (ExplainedStep& step : steps_) {
    for (ExplainedCandidate& candidate : step.candidates) {
      if (candidate.verdict == CandidateVerdict::kLeads) last_leader = &candidate;
    }
  }
  for (ExplainedStep& step : steps_) {
    for (ExplainedCandidate& candidate : step.candidates) {
      if (candidate.verdict != CandidateVerdict::kLeads) continue;
      if (&candidate == last_leader) {
        candidate.chosen = true;
      } else {
        candidate.verdict = CandidateVerdict::kLowerScore;
        candidate.why =
            u"led with " + candidate.why + u", then a later one scored more: " + last_leader->why;
      }
    }
  }
  return std::exchange(steps_, {});
}

}  // namespace tovrel
