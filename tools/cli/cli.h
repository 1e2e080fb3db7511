// The companion command-line tool: each command group registers itself from its own file.
#pragma once

#include <span>
#include <string_view>

namespace qm::cli {

// Exit codes: 0 done, 2 bad arguments; a command may return others (documented in its usage).
inline constexpr int kUsageError = 2;

using CommandFn = int (*)(std::span<const std::string_view> args);

struct Command {
  std::string_view name;
  std::string_view usage;  // one or more lines, shown by "quillmere-cli help"
  CommandFn run;
};

// Registers a command at static initialisation: `static const Registration r{{...}};`.
struct Registration {
  explicit Registration(const Command& command);
};

}  // namespace qm::cli
