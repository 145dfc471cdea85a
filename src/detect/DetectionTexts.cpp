#include "detect/DetectionTexts.h"

#include <string>

namespace tovrel {

CandidateOrigin RegistryOrigin(RegistryRoot root, WideView key, WideView value_path) {
  const WideText key_part = ExtractRegKeyPath(value_path);
  return CandidateOrigin{WideText(RegistryRootName(root)), WideText(key) + key_part,
                         ExtractRegValueName(value_path)};
}

void TraceRegValue(const DetectionTrace& trace, const StoredRegValue& stored, WideView result) {
  trace.Check(u"value as read", [&] { return stored.text; });
  if (stored.is_protected) trace.Check(u"deciphered", [&] { return WideText(result); });
}

void TraceScore(const DetectionTrace& trace, std::int32_t score, WideView candidate,
                std::int32_t best_score, WideView best) {
  trace.Check(u"score", [&] { return NumberText(score); });
  if (score > best_score) {
    trace.Verdict(CandidateVerdict::kLeads, [&] { return WideText(candidate); });
  } else {
    // Only a greater score replaces the best: on a tie the one met first stays.
    trace.Verdict(CandidateVerdict::kLowerScore, [&] {
      if (best.empty())
        return u"score " + NumberText(score) + u" is not above " + NumberText(best_score) +
               u", which a candidate needs";
      WideText why = score == best_score ? u"same score as " : u"lower score than ";
      why += NumberText(best_score) + u" of " + WideText(best);
      if (score == best_score) why += u", which came first";
      return why;
    });
  }
}

WideText OfficeGenerationName(std::size_t generation) {
  return u"Office generation " + WidenAscii(std::to_string(generation));
}

WideText Presence(bool present) {
  return present ? u"present" : u"absent";
}

WideText NumberText(std::int32_t number) {
  return WidenAscii(std::to_string(number));
}

WideText VersionFound(WideView version) {
  return version.empty() ? u"no version text" : WideText(version);
}

}  // namespace tovrel
