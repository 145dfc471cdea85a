#include "reasons/CallReport.h"

namespace tovrel {
namespace {

constexpr WideView kPrefix = u"Tovrel: ";

// A line break would split one line of the log into two that no longer say whose they are.
WideText OneLine(WideText text) {
  for (char16_t& unit : text) {
    if (unit == u'\r' || unit == u'\n') unit = u' ';
  }
  return text;
}

}  // namespace

std::vector<WideText> LogLines(const CallReport& report) {
  WideText call = WideText(kPrefix) + report.name + u"(";
  for (std::size_t i = 0; i < report.arguments.size(); ++i) {
    if (i > 0) call += u", ";
    call += report.arguments[i];
  }
  call += u") = " + report.answer;
  std::vector<WideText> lines{OneLine(std::move(call))};
  for (const Reason& reason : report.reasons) {
    const WideView label = reason.kind == ReasonKind::kNote ? u"note: " : u"why: ";
    lines.push_back(OneLine(WideText(kPrefix) + u"  " + WideText(label) + reason.text));
  }
  for (const WideText& line : report.explanation) {
    lines.push_back(OneLine(WideText(kPrefix) + u"  " + line));
  }
  return lines;
}

}  // namespace tovrel
