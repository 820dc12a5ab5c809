// The fish script: one complete line per command, flag and operand, made from the option table.
#include <ostream>

#include "cli/cli.h"
#include "cli/shell_completion.h"

namespace netloom::cli {
namespace {

// `text` single-quoted for fish.
std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "'";
}

// The arguments of a complete line that offer a value of `kind`.
std::string CompletionValues(ValueKind kind, const std::vector<std::string>& choices) {
  switch (kind) {
    case ValueKind::Port:
      return " -x -a '(__netloom_cli_ports)'";
    case ValueKind::File:
      return " -r -F";
    case ValueKind::Firmware: {
      std::string suffixes;
      for (const auto pattern : detail::kFirmwarePatterns) {
        suffixes += (suffixes.empty() ? "" : "; ") + std::string("__fish_complete_suffix ") +
                    std::string(pattern.substr(1));
      }
      return " -x -a '(" + suffixes + ")'";
    }
    case ValueKind::Number:
    case ValueKind::Choice: {
      std::string list;
      for (const auto& choice : choices) list += (list.empty() ? "" : " ") + choice;
      return " -x" + (list.empty() ? std::string() : " -a " + Quoted(list));
    }
    case ValueKind::Text:
      return " -x";
    case ValueKind::None:
      return {};
  }
  return {};
}

void WriteFishCommand(std::ostream& out, const CommandInfo& command) {
  const std::string prefix =
      "complete -c netloom-cli -n '__fish_seen_subcommand_from " + command.name + "'";
  out << "\n# " << command.name << "\n";
  for (const auto& flag : command.flags) {
    out << prefix << " -l " << flag.name.substr(2) << CompletionValues(flag.kind, flag.choices)
        << " -d " << Quoted(detail::MenuText(flag.help)) << "\n";
  }
  out << prefix << " -l help -d 'show the command\\'s help'\n";
  if (!command.operands.empty()) {
    const auto& operand = command.operands.front();
    const auto values = CompletionValues(operand.kind, operand.choices);
    // An operand line offers only the values (-a ...); "-x" and "-r" belong to flags.
    if (const auto offered = values.find(" -a "); offered != std::string::npos) {
      out << prefix << values.substr(offered) << "\n";
    }
  }
}

}  // namespace

void WriteFishCompletion(std::ostream& out) {
  out << "# fish completion for netloom-cli, made by 'netloom-cli completion fish' from its\n"
         "# option table.\n\n"
         "# The ports: the names and paths 'netloom-cli ports' lists, and /dev/serial/by-id.\n"
         "function __netloom_cli_ports\n"
         "    set -l program (commandline -opc)[1]\n"
         "    $program "
      << detail::kListPorts
      << "\n"
         "    for path in /dev/serial/by-id/*\n"
         "        echo $path\n"
         "    end\n"
         "end\n\n"
         "complete -c netloom-cli -f\n"
         "complete -c netloom-cli -n __fish_use_subcommand -l help -d 'show the commands'\n"
         "complete -c netloom-cli -n __fish_use_subcommand -l version -d 'print the version'\n";
  for (const auto& [name, command] : Commands()) {
    out << "complete -c netloom-cli -n __fish_use_subcommand -a " << name << " -d "
        << Quoted(command.summary) << "\n";
  }
  for (const auto& [name, command] : Commands()) WriteFishCommand(out, command);
}

}  // namespace netloom::cli
