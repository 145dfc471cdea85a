#include <cstdint>
#include <filesystem>
#include <system_error>

#include "Commands.h"
#include "FileDiagnosis.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

Outcome QueryVersion(const Arguments& a) {
  std::string version = Text(QueryVersionInfo(a[0].c_str()));
  if (!version.empty()) return Positive(std::move(version));
  if (auto why = UnreadableFileReason(a[0])) return {version, kUnusable, *why};
  return {version, kNegative,
          Quoted(a[0]) +
              " has no FileVersion in a Polish 1250 or English or neutral 1252 block "
              "of a version resource"};
}

Outcome QueryNumber(const Arguments& a) {
  const std::int32_t number = QueryNumFromInfo(a[0].c_str(), FlagArgument("WITH_RELEASE", a[1]));
  return Judged(std::to_string(number), number != 0,
                Quoted(a[0]) +
                    " gives no number: a field counts only when a '.' follows it, and a field "
                    "that is not an integer makes it 0");
}

Outcome DirectoryEmpty(const Arguments& a) {
  const std::int32_t code = IsDirectoryEmpty(a[0].c_str());
  if (code != 0) return Positive(std::to_string(code));
  std::error_code error;
  const auto status = std::filesystem::status(LocalPath(a[0]), error);
  if (status.type() == std::filesystem::file_type::not_found || a[0].empty()) {
    return {"0", kUnusable, Quoted(a[0]) + ": no such directory"};
  }
  return {"0", kNegative, Quoted(a[0]) + " is not a directory that can be listed"};
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
