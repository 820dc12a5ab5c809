// netloom-cli completion: the shell completion script for bash, zsh or fish.
#include <ostream>

#include "cli/cli.h"
#include "cli/options.h"
#include "cli/shell_completion.h"

namespace netloom::cli {
namespace {

constexpr const char* kCompletionName = "completion";

struct Shell {
  std::string_view name;
  void (*write)(std::ostream&);
};
constexpr Shell kShells[] = {
    {"bash", WriteBashCompletion}, {"zsh", WriteZshCompletion}, {"fish", WriteFishCompletion}};

std::vector<std::string> ShellNames() {
  std::vector<std::string> names;
  for (const auto& shell : kShells) names.emplace_back(shell.name);
  return names;
}

int RunCompletion(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseCommandLine(kCompletionName, args, io, parsed)) return *status;
  if (parsed.positional.size() != 1) return UsageError(io, kCompletionName, "name one shell");
  const auto& name = parsed.positional.front();
  std::vector<std::string_view> names;
  for (const auto& shell : kShells) {
    if (shell.name == name) {
      shell.write(io.out);
      return kExitOk;
    }
    names.push_back(shell.name);
  }
  return UsageError(io, kCompletionName,
                    "unknown shell '" + name + "' (" + ChoiceList(names) + ")");
}

const CommandRegistrar kCompletion({
    .name = kCompletionName,
    .summary = "print the shell completion script for bash, zsh or fish",
    .run = RunCompletion,
    .synopsis = {"completion bash|zsh|fish"},
    .description = "Prints the completion script for the shell: commands, options, the line "
                   "settings' values, file names and serial ports. The packages install all "
                   "three; to try one without: source <(netloom-cli completion bash).",
    .operands = {{.name = "bash|zsh|fish",
                  .kind = ValueKind::Choice,
                  .choices = ShellNames(),
                  .help = "the shell"}},
});

}  // namespace
}  // namespace netloom::cli
