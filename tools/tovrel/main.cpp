// tovrel: calls the library's exported functions from a shell, one sub-command per export.
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "HostArguments.h"
#include "Tovrel.h"

#ifdef _WIN32
#include <objbase.h>
#endif

namespace {

using Arguments = std::vector<std::string>;

struct Command {
  std::string usage;
  std::size_t arity;
  std::function<std::string(const Arguments&)> run;
};

std::string Text(const char* host_text) { return FromHost(host_text ? host_text : ""); }

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"xml-get",
       {"FILE PATH", 2,
        [](const Arguments& a) { return Text(XMLGetNode(a[0].c_str(), a[1].c_str())); }}},
      {"xml-add",
       {"FILE PATH VALUE", 3,
        [](const Arguments& a) {
          return std::to_string(XMLAddNode(a[0].c_str(), a[1].c_str(), a[2].c_str()));
        }}},
      {"my-dll-func",
       {"PREFIX", 1, [](const Arguments& a) { return Text(MyDllFunc(a[0].c_str())); }}},
  };
  return commands;
}

int Usage() {
  std::fputs("usage: tovrel COMMAND ARGUMENTS...\n", stderr);
  for (const auto& [name, command] : Commands()) {
    std::fprintf(stderr, "  tovrel %s %s\n", name.c_str(), command.usage.c_str());
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const auto found = Commands().find(argv[1]);
  if (found == Commands().end()) {
    std::fprintf(stderr, "tovrel: unknown command '%s'\n", argv[1]);
    return Usage();
  }
  const Command& command = found->second;
  if (static_cast<std::size_t>(argc - 2) != command.arity) {
    std::fprintf(stderr, "usage: tovrel %s %s\n", argv[1], command.usage.c_str());
    return 2;
  }
  Arguments arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(ToHost(argv[i]));
#ifdef _WIN32
  // The library leaves COM to its host, as an installer initialises it for its own thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
  std::printf("%s\n", command.run(arguments).c_str());
  return 0;
}
