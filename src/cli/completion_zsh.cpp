// The zsh script: _arguments specs per command, made from the option table.
#include <ostream>

#include "cli/cli.h"
#include "cli/shell_completion.h"

namespace netloom::cli {
namespace {

// `text` inside a single-quoted _arguments spec: brackets and colons escaped for _arguments,
// single quotes for the shell.
std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\'') {
      escaped += "'\\''";
      continue;
    }
    if (c == '[' || c == ']' || c == ':' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// The action part of a spec for a value of `kind`.
std::string Action(ValueKind kind, const std::vector<std::string>& choices) {
  switch (kind) {
    case ValueKind::Port:
      return "_netloom_cli_ports";
    case ValueKind::File:
      return "_files";
    case ValueKind::Firmware: {
      std::string patterns;
      for (const auto pattern : detail::kFirmwarePatterns) {
        patterns += (patterns.empty() ? "" : "|") + std::string(pattern.substr(2));
      }
      return "_files -g \"*.(" + patterns + ")\"";
    }
    case ValueKind::Number:
    case ValueKind::Choice: {
      if (choices.empty()) return " ";
      std::string list;
      for (const auto& choice : choices) list += (list.empty() ? "" : " ") + Escaped(choice);
      return "(" + list + ")";
    }
    case ValueKind::None:
    case ValueKind::Text:
      return " ";
  }
  return " ";
}

std::string FlagSpecText(const FlagSpec& flag) {
  std::string spec = flag.repeatable ? "*" : "";
  spec +=
      flag.name + (flag.takesValue ? "=" : "") + "[" + Escaped(detail::MenuText(flag.help)) + "]";
  if (flag.takesValue)
    spec += ":" + Escaped(flag.valueName) + ":" + Action(flag.kind, flag.choices);
  return spec;
}

void WriteZshCommand(std::ostream& out, const CommandInfo& command) {
  out << "    (" << command.name << ")\n      _arguments -S";
  for (const auto& flag : command.flags) out << " \\\n        '" << FlagSpecText(flag) << "'";
  out << " \\\n        '--help[show the command'\\''s help]'";
  for (std::size_t i = 0; i < command.operands.size(); ++i) {
    const auto& operand = command.operands[i];
    out << " \\\n        '" << (i + 1) << ":" << Escaped(operand.name) << ":"
        << Action(operand.kind, operand.choices) << "'";
  }
  out << "\n      ;;\n";
}

}  // namespace

void WriteZshCompletion(std::ostream& out) {
  out << "#compdef netloom-cli\n"
         "# zsh completion for netloom-cli, made by 'netloom-cli completion zsh' from its option\n"
         "# table.\n\n"
         "# The ports: the names and paths 'netloom-cli ports' lists, and /dev/serial/by-id.\n"
         "_netloom_cli_ports() {\n"
         "  local -a ports\n"
         "  ports=(${(f)\"$($_netloom_cli_program "
      << detail::kListPorts
      << ")\"} /dev/serial/by-id/*(N))\n"
         "  compadd -a ports\n"
         "}\n\n"
         "_netloom_cli() {\n"
         "  local _netloom_cli_program=$words[1]\n"
         "  local -a commands\n"
         "  commands=(\n";
  for (const auto& [name, command] : Commands()) {
    out << "    '" << Escaped(name) << ":" << Escaped(command.summary) << "'\n";
  }
  out << "  )\n"
         "  if ((CURRENT == 2)); then\n"
         "    _describe -t commands 'netloom-cli command' commands\n"
         "    compadd -- --help --version\n"
         "    return\n"
         "  fi\n"
         "  local command=$words[2]\n"
         "  shift words\n"
         "  ((CURRENT--))\n"
         "  case $command in\n";
  for (const auto& [name, command] : Commands()) WriteZshCommand(out, command);
  out << "  esac\n"
         "}\n\n"
         "_netloom_cli \"$@\"\n";
}

}  // namespace netloom::cli
