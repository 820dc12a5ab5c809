// The CLI's one option table and the parser over it.
//
// Every command's row (cli.h, CommandInfo) lists its flags and operands as FlagSpec and
// OperandSpec records. The parser accepts exactly those flags; --help, the manual page and the
// shell completion scripts are all generated from the same rows, so an option cannot exist
// without its help text, its manual entry and its completion.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/serial/uart_settings.h"

namespace netloom::cli {

struct CommandIo;
struct CommandInfo;

// What a flag's value or an operand is: what the help names and what completion offers.
enum class ValueKind {
  None,      // a switch: no value
  Text,      // free text: nothing to offer
  Number,    // a number: `choices` are the usual ones
  Choice,    // one of `choices`
  Port,      // a serial port: a name from 'netloom-cli ports' or a device path
  File,      // any file
  Firmware,  // a firmware file (.hex or .hxf)
};

struct FlagSpec {
  std::string name = {};       // "--port"
  bool takesValue = true;      // false for switches such as "--json"
  bool repeatable = false;     // "--set" may come many times
  std::string valueName = {};  // how the help names the value: "P", "N", "FILE"
  std::string help = {};       // one sentence for --help and the manual page
  ValueKind kind = ValueKind::Text;
  std::vector<std::string> choices = {};  // what completion offers for Choice and Number
  std::string action = {};  // for a command with actions (config read|write): only with this one
};

// A positional argument.
struct OperandSpec {
  std::string name = {};  // "COMMAND", "FILE", "read|write"
  ValueKind kind = ValueKind::Text;
  std::vector<std::string> choices = {};  // for Choice
  std::string help = {};
};

// A flag without a value.
FlagSpec Switch(std::string name, std::string help, std::string action = {});
// A flag that takes one of `choices`, its value named "a|b|c".
FlagSpec ChoiceFlag(std::string name, std::string help, std::vector<std::string> choices,
                    std::string action = {});

struct ParsedArgs {
  std::map<std::string, std::vector<std::string>> values;  // flag -> values (switches: {""})
  std::vector<std::string> positional;

  bool Has(const std::string& flag) const { return values.count(flag) > 0; }
  // The (last) value of a flag, or nothing.
  std::optional<std::string> Get(const std::string& flag) const;
  const std::vector<std::string>& All(const std::string& flag) const;
};

// Parses `args` against `specs`; "--" ends the options, every argument after it is positional.
// On failure returns nothing and sets `error` to a one-line
// reason ("unknown option '--x'", "option '--port' needs a value").
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::vector<FlagSpec>& specs, std::string& error);

// Parses a command's line against its row of the table (plus --help) as every command does:
// --help prints the command's help, a bad flag is the command's usage error. The exit status
// when the command ends here (help printed: 0; a usage error written: 2), else nothing with `out`
// filled, positional arguments included.
std::optional<int> ParseCommandLine(const std::string& command,
                                    const std::vector<std::string>& args, CommandIo& io,
                                    ParsedArgs& out);

// ParseCommandLine for a command that takes no positional argument.
std::optional<int> ParseFlagsOnly(const std::string& command, const std::vector<std::string>& args,
                                  CommandIo& io, ParsedArgs& out);

// A command's --help: its synopsis lines, its description, and one line per flag, from its row.
std::string HelpText(const CommandInfo& command);

// How a flag is written with its value: "--port P", "--json".
std::string FlagWithValue(const FlagSpec& flag);

// A decimal number without sign or blanks; nothing for anything else or one too large.
std::optional<std::uint32_t> ParseUnsigned(const std::string& text);

// The whole seconds `flag` gives, or `fallback` when it is not given; nothing with `error` set
// ("bad <flag without dashes> '<value>' (seconds)") for another value, or for 0 unless
// `zeroAllowed`.
std::optional<std::chrono::seconds> ParseSeconds(const ParsedArgs& args, const std::string& flag,
                                                 std::chrono::seconds fallback, std::string& error,
                                                 bool zeroAllowed = true);

// The texts as a reader's list of choices: "none, odd, even, mark or space".
std::string ChoiceList(std::span<const std::string_view> texts);

// The flags every command that talks to a module accepts: --port, --baud, --bits, --parity, --stop,
// --log (session_log_file.h).
std::vector<FlagSpec> LineFlags();

// --to ADDR, a node reached through the coordinator.
FlagSpec NodeFlag(std::string help);

// --json with what the document holds; `action` as FlagSpec's.
FlagSpec JsonFlag(std::string document, std::string action = {});

// Fills UartSettings from --baud/--bits/--parity/--stop exactly as the UART dialog would;
// nothing and `error` set for a bad value.
std::optional<link::UartSettings> ParseLineSettings(const ParsedArgs& args, std::string& error);

}  // namespace netloom::cli
