// Shell completion scripts for netloom-cli, made from the option table (Commands()), so every
// command, flag and operand the parser takes is completed and nothing else is.
//
// Each script completes the commands, each command's flags and operands, the values of flags
// with choices (the line settings among them), file names for file values (firmware files for
// flash), and serial ports for --port: the names and paths 'netloom-cli ports' lists plus the
// entries of /dev/serial/by-id. The scripts run the netloom-cli being completed (the first word
// of the command line) to list the ports.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace netloom::cli {

void WriteBashCompletion(std::ostream& out);
void WriteZshCompletion(std::ostream& out);
void WriteFishCompletion(std::ostream& out);

namespace detail {

// A help text cut to the short description a completion menu shows: up to its first ':', ';'
// or '(' ("print one JSON document instead of the table: {...}" -> "print one JSON document
// instead of the table").
std::string MenuText(std::string_view help);

// The shell command that prints the ports for `program`: names and paths, then by-id links.
inline constexpr std::string_view kListPorts = "ports 2>/dev/null | awk '{ print $1; print $2 }'";

// The patterns of firmware file names.
inline constexpr std::string_view kFirmwarePatterns[] = {"*.hex", "*.hxf"};

}  // namespace detail
}  // namespace netloom::cli
