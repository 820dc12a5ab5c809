// What the configuration and identity commands share: their "read | write" command lines,
// directing their requests to a node with --to, running a request to its end, and the progress
// lines of their steps.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/options.h"
#include "core/link/worker/worker_command.h"

namespace netloom::cli {

// A "<command> read|write [flags]" command line, the action anywhere among the flags: the flags
// of the command's row without an action for both, each action's own flags only with it.
struct ReadWriteArgs {
  bool write = false;
  ParsedArgs parsed;
  std::string to;  // empty: the local module
};
// Parses `args` (after the command's name). The exit status when the command ends here (help
// printed: 0; a usage error written: 2), else nothing with `out` filled.
std::optional<int> ParseReadWrite(const std::string& command, const std::vector<std::string>& args,
                                  CommandIo& io, ReadWriteArgs& out);

// The flags both actions take (the line flags and --to) followed by `actionFlags`.
std::vector<FlagSpec> ReadWriteFlags(std::vector<FlagSpec> actionFlags);

// The operand that names the action.
OperandSpec ReadWriteOperand();

// Hands the worker `request` (ReadConfig, WriteConfig, ReadIdentity or WriteIdentity, signalled
// as `code`) and waits for its end, showing its progress on a terminal (the frames of the image,
// the restart wait). Nothing when interrupted (the link is closed then).
std::optional<link::CommandReport> Perform(CliLink& link, link::WorkerCommand code,
                                           const std::function<void(link::CThread&)>& request,
                                           CommandIo& io);

// Whether `text` is a node address for --to: four hex digits.
bool IsNodeAddress(std::string_view text);

// Walks the network once (the remote exchanges require the target in the node table), then
// directs the following configuration transfers to `address` as a node click and the Parameters
// pane's remote switch do.
// Nothing when ready; otherwise the exit status, the reason written (1 when the walk found no
// coordinator, 130 when interrupted) and, if `failure` is given, kept there.
std::optional<int> DirectTo(CliLink& link, const std::string& address, CommandIo& io,
                            std::string* failure = nullptr);

// Runs a configuration transfer (ReadConfig or WriteConfig) and waits for it. Nothing when it
// went through; else the exit status (the worker has shown its message, if it had one; a node
// that is not in the coordinator's network is named). `failure`, if given, gets the failure's
// text.
std::optional<int> TransferConfig(CliLink& link, link::WorkerCommand code, const std::string& to,
                                  CommandIo& io, std::string* failure = nullptr);

// Sends one console line (`raw`: typed text, to the local module) and waits until it went out:
// nothing when interrupted, else the failure line (empty when it went out). A command for a
// node (`to` not empty) goes to that node or nowhere: a coordinator that refuses the console
// gets nothing to answer in the node's place.
std::optional<std::string> SendConsoleLine(CliLink& link, const std::string& text, bool raw,
                                           const std::string& to);

// A step of a long exchange on standard error, only when it is a terminal.
void ShowStep(CommandIo& io, std::string_view step);

}  // namespace netloom::cli
