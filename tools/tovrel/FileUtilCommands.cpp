#include <cstdint>
#include <cstdlib>

#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kQueryVersionInfo{
    "query-version-info",
    {"FILE", 1, [](const Arguments& a) { return Text(QueryVersionInfo(a[0].c_str())); }}};

const CommandRegistration kQueryNumFromInfo{
    "query-num-from-info", {"VERSION WITH_RELEASE", 2, [](const Arguments& a) {
                              // Like the host, the tool passes the number on whole; only its low
                              // byte counts.
                              const auto flag =
                                  static_cast<uint32_t>(std::strtoul(a[1].c_str(), nullptr, 0));
                              return std::to_string(QueryNumFromInfo(a[0].c_str(), flag));
                            }}};

const CommandRegistration kIsDirectoryEmpty{
    "is-directory-empty", {"DIRECTORY", 1, [](const Arguments& a) {
                             return std::to_string(IsDirectoryEmpty(a[0].c_str()));
                           }}};

}  // namespace
}  // namespace tovrel::tool
