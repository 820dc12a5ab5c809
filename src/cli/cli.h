// netloom-cli: the headless twin of the desktop program.
//
// Each command lives in its own cmd_*.cpp and registers itself with a static CommandRegistrar.
// Commands write results to `out`, messages to `err`, and return the exit status:
// 0 success, 1 the module or the link failed, 2 usage error, 130 interrupted.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace netloom::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

struct CommandIo {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;  // progress bars only when standard error is a terminal
};

using CommandFunction = std::function<int(const std::vector<std::string>& args, CommandIo& io)>;

struct CommandInfo {
  std::string name;     // "walk", "config" ...
  std::string summary;  // one line for the overview
  CommandFunction run;  // gets the arguments after the command name
};

class CommandRegistrar {
 public:
  explicit CommandRegistrar(CommandInfo info);
};

// The one usage-error line of every command, "netloom-cli <command>: <reason>; see
// 'netloom-cli <command> --help'", on standard error; the usage exit status.
int UsageError(CommandIo& io, const std::string& command, const std::string& reason);

// The one failure line of every command: `message` as the program shows it, without a prefix,
// on one line (OneLine), on standard error; the failure exit status.
int FailureLine(CommandIo& io, std::string_view message);

// `text` on one line: control characters (the CR the module's texts end with) removed, a line
// break inside it turned into a blank.
std::string OneLine(std::string_view text);

// Runs a whole command line (argv without the program name).
int RunCli(const std::vector<std::string>& args, CommandIo& io);

}  // namespace netloom::cli
