#include <cstdint>

#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

Outcome QueryVersion(const Arguments& a) {
  std::string version = Text(QueryVersionInfo(a[0].c_str()));
  const bool found = !version.empty();
  return Judged(std::move(version), found);
}

Outcome QueryNumber(const Arguments& a) {
  const std::int32_t number = QueryNumFromInfo(a[0].c_str(), FlagArgument("WITH_RELEASE", a[1]));
  return Judged(std::to_string(number), number != 0);
}

Outcome DirectoryEmpty(const Arguments& a) {
  const std::int32_t code = IsDirectoryEmpty(a[0].c_str());
  return Judged(std::to_string(code), code != 0);
}

const CommandRegistration kQueryVersionInfo{
    "query-version-info", {"FILE", 1, QueryVersion, "the FileVersion of FILE's version resource"}};

const CommandRegistration kQueryNumFromInfo{
    "query-num-from-info",
    {"VERSION WITH_RELEASE", 2, QueryNumber,
     "VERSION packed as major*100+minor, or with release when WITH_RELEASE is not 0"}};

const CommandRegistration kIsDirectoryEmpty{
    "is-directory-empty",
    {"DIRECTORY", 1, DirectoryEmpty, "1 when DIRECTORY is empty, 2 when it holds anything"}};

}  // namespace
}  // namespace tovrel::tool
