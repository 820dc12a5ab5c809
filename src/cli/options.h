// Flag parsing shared by every command, so all of them treat flags, usage errors and the
// common line settings the same way.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "core/link/serial/uart_settings.h"

namespace netloom::cli {

struct FlagSpec {
  std::string name;         // "--port"
  bool takesValue = true;   // false for switches such as "--json"
  bool repeatable = false;  // "--set" may come many times
};

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

// Parses a command's line (plus --help) as every command does: --help prints `usage`, a bad flag
// is the command's usage error. The exit status when the command ends here (help printed: 0; a
// usage error written: 2), else nothing with `out` filled, positional arguments included.
std::optional<int> ParseCommandLine(const std::string& command, const char* usage,
                                    const std::vector<std::string>& args,
                                    std::vector<FlagSpec> specs, CommandIo& io, ParsedArgs& out);

// ParseCommandLine for a command that takes no positional argument.
std::optional<int> ParseFlagsOnly(const std::string& command, const char* usage,
                                  const std::vector<std::string>& args, std::vector<FlagSpec> specs,
                                  CommandIo& io, ParsedArgs& out);

// A decimal number without sign or blanks; nothing for anything else or one too large.
std::optional<std::uint32_t> ParseUnsigned(const std::string& text);

// The texts as a reader's list of choices: "none, odd, even, mark or space".
std::string ChoiceList(std::span<const std::string_view> texts);

// The flags every command that talks to a module accepts: --port, --baud, --bits, --parity, --stop,
// --log (session_log_file.h).
std::vector<FlagSpec> LineFlags();

// Fills UartSettings from --baud/--bits/--parity/--stop exactly as the UART dialog would;
// nothing and `error` set for a bad value.
std::optional<link::UartSettings> ParseLineSettings(const ParsedArgs& args, std::string& error);

}  // namespace netloom::cli
