#include <cstdint>
#include <string>

#include "Commands.h"
#include "Tovrel.h"

namespace tovrel::tool {
namespace {

const CommandRegistration kSelDirectory{"sel-directory",
                                        {"CAPTION ROOT", 2,
                                         [](const Arguments& a) {
                                           std::string folder =
                                               Text(SelDirectory(a[0].c_str(), a[1].c_str()));
                                           const bool chosen = !folder.empty();
                                           return Judged(std::move(folder), chosen);
                                         },
                                         "the folder the user chooses in the folder browser"}};

const CommandRegistration kAddToFirewall{"add-to-firewall",
                                         {"IMAGE NAME ENABLE", 3,
                                          [](const Arguments& a) {
                                            const std::int32_t added =
                                                AddToFirewall(a[0].c_str(), a[1].c_str(),
                                                              FlagArgument("ENABLE", a[2]));
                                            return Judged(std::to_string(added), added == 1);
                                          },
                                          "list IMAGE as an authorised application under NAME"}};

}  // namespace
}  // namespace tovrel::tool
