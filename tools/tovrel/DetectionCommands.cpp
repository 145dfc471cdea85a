#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kLastFr{"last-fr",
                                  {"", 0, [](const Arguments&) { return Text(GetLastFR()); }}};
const CommandRegistration kLastPlatnik{
    "last-platnik", {"", 0, [](const Arguments&) { return Text(GetLastPlatnik()); }}};
const CommandRegistration kLastVl{"last-vl",
                                  {"", 0, [](const Arguments&) { return Text(GetLastVL()); }}};
const CommandRegistration kLastAs{"last-as",
                                  {"", 0, [](const Arguments&) { return Text(GetLastAS()); }}};

}  // namespace
}  // namespace tovrel::tool
