// quillmere-cli: the reader's core from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/cli/cli.h"

namespace qm::cli {

namespace {
std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

void PrintUsage(std::FILE* out) {
  std::fputs("usage: quillmere-cli COMMAND [ARGS]\n\ncommands:\n", out);
  for (const Command& c : Commands()) std::fprintf(out, "%.*s\n", int(c.usage.size()), c.usage.data());
}
}  // namespace

Registration::Registration(const Command& command) { Commands().push_back(command); }

}  // namespace qm::cli

int main(int argc, char** argv) {
  using namespace qm::cli;
  std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(args.empty() ? stderr : stdout);
    return args.empty() ? kUsageError : 0;
  }
  for (const Command& c : Commands()) {
    if (c.name == args[0]) return c.run(std::span(args).subspan(1));
  }
  std::fprintf(stderr, "quillmere-cli: unknown command '%.*s'\n\n", int(args[0].size()), args[0].data());
  PrintUsage(stderr);
  return kUsageError;
}
