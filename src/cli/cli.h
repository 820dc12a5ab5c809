// netloom-cli: the headless twin of the desktop program.
//
// Each command lives in its own cmd_*.cpp and registers itself with a static CommandRegistrar:
// its row of the option table (options.h), from which the parser, --help, the manual page and
// the shell completion scripts are all made.
// Commands write results to `out`, messages to `err`, and return the exit status:
// 0 success, 1 the module or the link failed, 2 usage error, 130 interrupted.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"

namespace netloom::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;
inline constexpr int kExitTerminated = 143;  // 128 + SIGTERM

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
  std::vector<std::string> synopsis =
      {};                            // usage lines after "netloom-cli ": "walk --port P [--json]"
  std::string description = {};      // what the command does, for --help and the manual page
  std::vector<FlagSpec> flags = {};  // every flag it takes but --help
  std::vector<OperandSpec> operands = {};  // its positional arguments, in order
};

class CommandRegistrar {
 public:
  explicit CommandRegistrar(CommandInfo info);
};

// Every registered command by name: the option table.
const std::map<std::string, CommandInfo>& Commands();

// The exit statuses with what each means, for the manual page.
struct ExitStatus {
  int status;
  std::string_view meaning;
};
inline constexpr ExitStatus kExitStatuses[] = {
    {kExitOk, "success"},
    {kExitFailed, "the module or the link failed; the reason is one line on standard error"},
    {kExitUsage, "usage error (unknown command, bad flag, bad value): one line on standard error"},
    {kExitInterrupted, "interrupted by SIGINT (Ctrl-C); the port was closed first"},
    {kExitTerminated, "stopped by SIGTERM; the port was closed first"},
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
