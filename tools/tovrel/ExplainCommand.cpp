// tovrel explain COMMAND [--json]: runs a lookup with an observer and prints every candidate it
// considered, every check made on it and its verdict, and what the lookup answered.
#include <cstdio>
#include <functional>
#include <map>

#include "Commands.h"
#include "ExplainXmlPath.h"
#include "config/DefaultIniFile.h"
#include "detect/ExplanationRecorder.h"
#include "detect/TMSI.h"
#include "fileutil/DirectoryPart.h"
#include "platform/Platform.h"
#include "reasons/LookupReasons.h"
#include "text/Utf8.h"
#include "xmlsettings/SaveInstalledApps.h"

namespace tovrel::tool {
namespace {

// What a lookup answers, as its export hands it back: one text, or the report's lists.
struct Answers {
  std::vector<std::pair<WideText, std::vector<WideText>>> items;
};

using Lookup = std::function<Answers(const TMSI&, const VersionResources&)>;

Answers One(WideView name, WideText answer) {
  return Answers{{{WideText(name), {std::move(answer)}}}};
}

const std::map<std::string, Lookup>& Lookups() {
  static const std::map<std::string, Lookup> lookups = {
      {"last-excel",
       [](const TMSI& msi, const VersionResources&) {
         return One(u"last-excel", DirectoryPart(FindLastExcel(msi)));
       }},
      {"last-vl", [](const TMSI& msi,
                     const VersionResources&) { return One(u"last-vl", FindLastVelmora(msi)); }},
      {"last-as", [](const TMSI& msi,
                     const VersionResources&) { return One(u"last-as", FindLastAstrelo(msi)); }},
      {"last-fr",
       [](const TMSI& msi, const VersionResources&) {
         return One(u"last-fr", DirectoryPart(FindLastFerrolin(msi)));
       }},
      {"last-platnik",
       [](const TMSI& msi, const VersionResources&) {
         return One(u"last-platnik", DirectoryPart(FindLastPlatnik(msi)));
       }},
      {"report",
       [](const TMSI& msi, const VersionResources& versions) {
         Answers answers;
         for (const WideView section : kReportSections) {
           InstalledAppsList list;
           msi.trace().Step([&] { return u"section " + WideText(section); });
           ListReportSection(msi, versions, section, list);
           std::vector<WideText> entries;
           for (const InstalledApp& entry : list.entries()) {
             entries.push_back(entry.directory + u" = " + entry.display_name);
           }
           answers.items.emplace_back(WideText(section), std::move(entries));
         }
         return answers;
       }},
  };
  return lookups;
}

std::u16string AsText(const std::vector<ExplainedStep>& steps, const Answers& answers) {
  std::u16string out;
  for (const WideText& line : ExplanationLines(steps)) out += line + u"\n";
  for (const auto& [name, values] : answers.items) {
    out += u"answer " + name + u":";
    for (const WideText& value : values) out += u"\n  " + value;
    out += u"\n";
  }
  out.pop_back();
  return out;
}

std::u16string JsonString(WideView text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      out += u'\\';
      out += c;
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += u"\\u00";
      out += static_cast<char16_t>(kHex[c >> 4]);
      out += static_cast<char16_t>(kHex[c & 0xF]);
    } else {
      out += c;
    }
  }
  return out + u"\"";
}

std::u16string AsJson(const std::string& command, const std::vector<ExplainedStep>& steps,
                      const Answers& answers) {
  std::u16string out = u"{\"command\":" + JsonString(WidenAscii(command)) + u",\"steps\":[";
  for (std::size_t s = 0; s < steps.size(); ++s) {
    if (s > 0) out += u",";
    out += u"{\"step\":" + JsonString(steps[s].what) + u",\"candidates\":[";
    for (std::size_t c = 0; c < steps[s].candidates.size(); ++c) {
      const ExplainedCandidate& candidate = steps[s].candidates[c];
      if (c > 0) out += u",";
      out += u"{\"root\":" + JsonString(candidate.origin.root) + u",\"key\":" +
             JsonString(candidate.origin.key) + u",\"value\":" +
             JsonString(candidate.origin.value_name) + u",\"checks\":[";
      for (std::size_t k = 0; k < candidate.checks.size(); ++k) {
        if (k > 0) out += u",";
        out += u"{\"check\":" + JsonString(candidate.checks[k].first) + u",\"found\":" +
               JsonString(candidate.checks[k].second) + u"}";
      }
      out += u"],\"verdict\":" + JsonString(WidenAscii(VerdictName(candidate))) + u",\"why\":" +
             JsonString(candidate.why) + u"}";
    }
    out += u"]}";
  }
  out += u"],\"answers\":{";
  for (std::size_t a = 0; a < answers.items.size(); ++a) {
    if (a > 0) out += u",";
    out += JsonString(answers.items[a].first) + u":[";
    for (std::size_t v = 0; v < answers.items[a].second.size(); ++v) {
      if (v > 0) out += u",";
      out += JsonString(answers.items[a].second[v]);
    }
    out += u"]";
  }
  return out + u"}}";
}

std::string Explain(const Arguments& arguments) {
  const std::string& command = arguments[0];
  if (command == "xml-get" || command == "xml-add") return ExplainXmlPath(arguments);
  const bool json = arguments.size() > 1 && arguments[1] == "--json";
  if (arguments.size() > 1 && !json) throw std::invalid_argument("the option is --json");
  const auto lookup = Lookups().find(command);
  if (lookup == Lookups().end()) {
    throw std::invalid_argument(
        "explain takes last-excel, last-vl, last-as, last-fr, last-platnik, report, xml-get or "
        "xml-add");
  }
  const Platform platform = MakePlatform();
  const WideText default_ini_file = MakeDefaultIniFile(*platform.host);
  ExplanationRecorder recorder;
  const TMSI msi(
      DetectionSources{*platform.installer,
                       ConfigSources{*platform.code_page, *platform.profiles, *platform.registry,
                                     *platform.crypto, default_ini_file},
                       *platform.files, *platform.versions, *platform.messages, &recorder});
  const Answers answers = lookup->second(msi, *platform.versions);
  const std::vector<ExplainedStep> steps = recorder.Take();
  // UTF-8 on every platform, so that no name is lost to the ANSI code page.
  return ToUtf8(json ? AsJson(command, steps, answers) : AsText(steps, answers));
}

const CommandRegistration kExplain{
    "explain",
    {"COMMAND [--json] | xml-get FILE PATH | xml-add FILE PATH VALUE", 1,
     [](const Arguments& a) { return Positive(Explain(a)); },
     "why a lookup or the report found what it found, or how a path is followed", 3}};

}  // namespace
}  // namespace tovrel::tool
