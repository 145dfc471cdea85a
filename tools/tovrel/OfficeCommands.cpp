#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kLastExcel{
    "last-excel", {"", 0, [](const Arguments&) { return Text(GetLastExcel()); }}};

}  // namespace
}  // namespace tovrel::tool
