#include "reasons/LookupReasons.h"

namespace tovrel {

Reasons LookupReasons(WideView product) {
  return {{ReasonKind::kNegative, u"no " + WideText(product) + u" installation found"}};
}

const char* VerdictName(const ExplainedCandidate& candidate) {
  if (candidate.chosen) return "chosen";
  switch (candidate.verdict) {
    case CandidateVerdict::kListed:
      return "listed";
    case CandidateVerdict::kLeads:
      return "leads";
    case CandidateVerdict::kLowerScore:
    case CandidateVerdict::kPassedOver:
    default:
      return "passed over";
  }
}

WideText OriginText(const CandidateOrigin& origin) {
  if (origin.root == kInstallerDatabase) {
    return origin.root + u": first product matching " + origin.key + u", component " +
           origin.value_name;
  }
  return origin.root + u"\\" + origin.key + u" \"" + origin.value_name + u"\"";
}

std::vector<WideText> ExplanationLines(const std::vector<ExplainedStep>& steps) {
  std::vector<WideText> lines;
  for (const ExplainedStep& step : steps) {
    if (!step.what.empty()) lines.push_back(step.what);
    for (const ExplainedCandidate& candidate : step.candidates) {
      lines.push_back(u"  candidate " + OriginText(candidate.origin));
      for (const auto& [check, found] : candidate.checks) {
        lines.push_back(u"    " + check + u": " + found);
      }
      WideText verdict = u"    => " + WidenAscii(VerdictName(candidate));
      if (!candidate.why.empty()) verdict += u" (" + candidate.why + u")";
      lines.push_back(std::move(verdict));
    }
  }
  return lines;
}

}  // namespace tovrel
