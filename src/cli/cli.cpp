#include "cli/cli.h"

#include <cctype>
#include <map>
#include <ostream>

namespace netloom::cli {
namespace {

std::map<std::string, CommandInfo>& Registry() {
  static std::map<std::string, CommandInfo> commands;
  return commands;
}

void PrintOverview(std::ostream& out) {
  out << "usage: netloom-cli <command> [options]\n\ncommands:\n";
  for (const auto& [name, info] : Registry()) out << "  " << name << "\t" << info.summary << "\n";
  out << "\n'netloom-cli <command> --help' describes a command.\n";
}

}  // namespace

const std::map<std::string, CommandInfo>& Commands() {
  return Registry();
}

CommandRegistrar::CommandRegistrar(CommandInfo info) {
  auto name = info.name;
  Registry().emplace(std::move(name), std::move(info));
}

int UsageError(CommandIo& io, const std::string& command, const std::string& reason) {
  io.err << "netloom-cli " << command << ": " << reason << "; see 'netloom-cli " << command
         << " --help'\n";
  return kExitUsage;
}

int FailureLine(CommandIo& io, std::string_view message) {
  io.err << OneLine(message) << "\n";
  return kExitFailed;
}

std::string OneLine(std::string_view text) {
  std::string line;
  bool broken = false;  // control characters since the last character kept
  for (const char c : text) {
    if (std::iscntrl(static_cast<unsigned char>(c))) {
      broken = true;
      continue;
    }
    // A line break inside a message ("Writing finished!\r\nPlease reset ...") becomes a blank.
    if (broken && !line.empty() && line.back() != ' ' && c != ' ') line += ' ';
    broken = false;
    line += c;
  }
  return line;
}

int RunCli(const std::vector<std::string>& args, CommandIo& io) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintOverview(args.empty() ? io.err : io.out);
    return args.empty() ? kExitUsage : kExitOk;
  }
  if (args[0] == "--version") {
    io.out << "netloom-cli " << NETLOOM_VERSION << "\n";
    return kExitOk;
  }
  const auto found = Registry().find(args[0]);
  if (found == Registry().end()) {
    io.err << "netloom-cli: unknown command '" << args[0] << "'; see 'netloom-cli --help'\n";
    return kExitUsage;
  }
  return found->second.run(std::vector<std::string>(args.begin() + 1, args.end()), io);
}

}  // namespace netloom::cli
