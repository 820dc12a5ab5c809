// The bash script: one case per command, its flags' values by the previous word, then its flags
// or its operands by the current one. Written for plain bash (no bash-completion helpers), so it
// works wherever it is sourced.
#include <ostream>

#include "cli/cli.h"
#include "cli/shell_completion.h"

namespace netloom::cli {
namespace {

using detail::kFirmwarePatterns;

std::string Joined(const std::vector<std::string>& words) {
  std::string joined;
  for (const auto& word : words) joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

// The completion of a value of `kind`, as the body of a case branch; empty when nothing is
// offered.
std::string ValueCompletion(ValueKind kind, const std::vector<std::string>& choices) {
  switch (kind) {
    case ValueKind::Port:
      return "COMPREPLY=($(compgen -W \"$(_netloom_cli_ports \"${COMP_WORDS[0]}\")\" -- \"$cur\"))";
    case ValueKind::File:
      return "_netloom_cli_files \"$cur\"";
    case ValueKind::Firmware: {
      std::string call = "_netloom_cli_files \"$cur\"";
      for (const auto pattern : kFirmwarePatterns) call += " '" + std::string(pattern) + "'";
      return call;
    }
    case ValueKind::Number:
    case ValueKind::Choice:
      if (!choices.empty()) {
        return "COMPREPLY=($(compgen -W \"" + Joined(choices) + "\" -- \"$cur\"))";
      }
      return {};
    case ValueKind::None:
    case ValueKind::Text:
      return {};
  }
  return {};
}

void WriteBashCommand(std::ostream& out, const CommandInfo& command) {
  out << "    " << command.name << ")\n      case $prev in\n";
  for (const auto& flag : command.flags) {
    if (!flag.takesValue) continue;
    const auto values = ValueCompletion(flag.kind, flag.choices);
    out << "        " << flag.name << ") " << (values.empty() ? "" : values + "; ")
        << "return ;;\n";
  }
  std::vector<std::string> flags;
  for (const auto& flag : command.flags) flags.push_back(flag.name);
  flags.push_back("--help");
  out << "      esac\n"
      << "      if [[ $cur == -* ]]; then\n"
      << "        COMPREPLY=($(compgen -W \"" << Joined(flags) << "\" -- \"$cur\"))\n";
  if (!command.operands.empty()) {
    const auto& operand = command.operands.front();
    const auto values = ValueCompletion(operand.kind, operand.choices);
    if (!values.empty()) out << "      else\n        " << values << "\n";
  }
  out << "      fi\n      ;;\n";
}

}  // namespace

void WriteBashCompletion(std::ostream& out) {
  std::vector<std::string> commands;
  for (const auto& [name, command] : Commands()) commands.push_back(name);
  commands.insert(commands.end(), {"--help", "--version"});
  out << "# bash completion for netloom-cli, made by 'netloom-cli completion bash' from its\n"
         "# option table.\n\n"
         "# The ports: the names and paths 'netloom-cli ports' lists, and /dev/serial/by-id.\n"
         "_netloom_cli_ports() {\n"
         "  local path\n"
         "  \"$1\" "
      << detail::kListPorts
      << "\n"
         "  for path in /dev/serial/by-id/*; do\n"
         "    [[ -e $path ]] && printf '%s\\n' \"$path\"\n"
         "  done\n"
         "}\n\n"
         "# File names starting with $1; with more arguments only those matching one of them\n"
         "# (and folders).\n"
         "_netloom_cli_files() {\n"
         "  local cur=$1 pattern\n"
         "  shift\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  if (($# == 0)); then\n"
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  COMPREPLY=($(compgen -d -- \"$cur\"))\n"
         "  for pattern; do\n"
         "    COMPREPLY+=($(compgen -f -X \"!$pattern\" -- \"$cur\"))\n"
         "  done\n"
         "}\n\n"
         "_netloom_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
         "  # --flag=value comes as three words: --flag, =, value.\n"
         "  if [[ $cur == = ]]; then\n"
         "    cur=\n"
         "  elif [[ $prev == = ]]; then\n"
         "    prev=${COMP_WORDS[COMP_CWORD - 2]}\n"
         "  fi\n"
         "  COMPREPLY=()\n"
         "  if ((COMP_CWORD == 1)); then\n"
         "    COMPREPLY=($(compgen -W \""
      << Joined(commands)
      << "\" -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  case ${COMP_WORDS[1]} in\n";
  for (const auto& [name, command] : Commands()) WriteBashCommand(out, command);
  out << "  esac\n"
         "}\n\n"
         "complete -F _netloom_cli netloom-cli\n";
}

}  // namespace netloom::cli
