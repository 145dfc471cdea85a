#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

using LookupExport = const char*(TOVREL_CALL*)();

// A lookup's folder; an empty one is the library's "not found".
Command Lookup(LookupExport lookup, const std::string& name, const std::string& product) {
  return Command{"", 0,
                 [=](const Arguments&) {
                   std::string folder = Text(lookup());
                   const bool found = !folder.empty();
                   Outcome outcome = Judged(std::move(folder), found);
                   if (!found) outcome.reason += " (tovrel explain " + name + " shows why)";
                   return outcome;
                 },
                 "the folder of the newest " + product + " installation"};
}

const CommandRegistration kLastExcel{"last-excel", Lookup(GetLastExcel, "last-excel", "Excel")};
const CommandRegistration kLastFr{"last-fr", Lookup(GetLastFR, "last-fr", "Ferrolin")};
const CommandRegistration kLastPlatnik{"last-platnik",
                                       Lookup(GetLastPlatnik, "last-platnik", "Płatnik")};
const CommandRegistration kLastVl{"last-vl", Lookup(GetLastVL, "last-vl", "Velmora")};
const CommandRegistration kLastAs{"last-as", Lookup(GetLastAS, "last-as", "Astrelo")};

}  // namespace
}  // namespace tovrel::tool
