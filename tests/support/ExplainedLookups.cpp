#include "support/ExplainedLookups.h"

#include <gtest/gtest.h>

#include "detect/ExplanationRecorder.h"
#include "text/Utf8.h"

namespace tovrel::test {

void ExpectExplanationsNameTheAnswers(const DetectionSources& sources) {
  const struct {
    const char* name;
    WideText (*lookup)(const TMSI&);
  } lookups[] = {
      {"last-excel", FindLastExcel},     {"last-vl", FindLastVelmora},
      {"last-as", FindLastAstrelo},      {"last-fr", FindLastFerrolin},
      {"last-platnik", FindLastPlatnik},
  };
  for (const auto& lookup : lookups) {
    SCOPED_TRACE(lookup.name);
    const WideText answer = lookup.lookup(TMSI(sources));
    ExplanationRecorder recorder;
    DetectionSources observed = sources;
    observed.observer = &recorder;
    EXPECT_EQ(lookup.lookup(TMSI(observed)), answer);
    int chosen = 0;
    for (const ExplainedStep& step : recorder.Take()) {
      for (const ExplainedCandidate& candidate : step.candidates) {
        if (!candidate.chosen) continue;
        ++chosen;
        EXPECT_EQ(ToUtf8(candidate.why), ToUtf8(answer));
      }
    }
    EXPECT_EQ(chosen, answer.empty() ? 0 : 1);
  }
}

}  // namespace tovrel::test
