#include "cli/module_target.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "cli/interrupt.h"
#include "core/link/connection.h"

namespace netloom::cli {

std::optional<int> ParseReadWrite(const std::string& command, const char* usage,
                                  const std::vector<std::string>& args,
                                  const std::vector<FlagSpec>& readFlags,
                                  const std::vector<FlagSpec>& writeFlags, CommandIo& io,
                                  ReadWriteArgs& out) {
  std::vector<FlagSpec> specs = LineFlags();
  specs.insert(specs.end(), {{"--to"}, {"--help", false}});
  specs.insert(specs.end(), readFlags.begin(), readFlags.end());
  specs.insert(specs.end(), writeFlags.begin(), writeFlags.end());
  std::string error;
  auto parsed = ParseArgs(args, specs, error);
  if (parsed && parsed->Has("--help")) {
    io.out << usage;
    return kExitOk;
  }
  if (!parsed) return UsageError(io, command, error);
  const auto& words = parsed->positional;
  if (words.empty() || (words[0] != "read" && words[0] != "write")) {
    return UsageError(io, command, "say 'read' or 'write'");
  }
  if (words.size() > 1) return UsageError(io, command, "unexpected '" + words[1] + "'");
  out.write = words[0] == "write";
  for (const FlagSpec& flag : out.write ? readFlags : writeFlags) {
    if (parsed->Has(flag.name)) {
      return UsageError(io, command,
                        "'" + flag.name + "' goes with " + (out.write ? "read" : "write"));
    }
  }
  out.to = parsed->Get("--to").value_or("");
  if (parsed->Has("--to") && !IsNodeAddress(out.to)) {
    return UsageError(io, command, "bad address '" + out.to + "' (four hex digits)");
  }
  out.parsed = std::move(*parsed);
  return std::nullopt;
}

std::optional<link::CommandReport> Perform(CliLink& link, link::WorkerCommand code) {
  switch (code) {
    case link::WorkerCommand::ReadConfig:
      link::RequestConfigRead(link.Worker());
      break;
    case link::WorkerCommand::WriteConfig:
      link::RequestConfigWrite(link.Worker());
      break;
    case link::WorkerCommand::ReadIdentity:
      link::RequestIdentityRead(link.Worker());
      break;
    case link::WorkerCommand::WriteIdentity:
      link::RequestIdentityWrite(link.Worker());
      break;
    default:
      return std::nullopt;
  }
  auto report = link.WaitFinished(code);
  if (!report) link.Close();
  return report;
}

bool ReachedTarget(CliLink& link, const std::string& to) {
  const bool refused =
      link.Session().Read([](const link::LinkState& state) { return state.view.remoteRefused; });
  if (to.empty() || !refused) return true;
  link.Fail("node " + to +
            ": the coordinator refused the remote console; the local module's answer is not used");
  return false;
}

bool IsNodeAddress(std::string_view text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

std::optional<int> DirectTo(CliLink& link, const std::string& address, CommandIo& io) {
  ShowStep(io, "walking the network");
  link::StartRefresh(link.Worker());
  const auto walk = link.WaitFinished(link::WorkerCommand::QueryNetwork);
  link::StopRefresh(link.Worker());
  if (!walk) return InterruptGuard::ExitStatus();
  if (!walk->delivered) {
    link.Fail(walk->failure);
    return kExitFailed;
  }
  link.Session().Update([&](link::LinkState& state) {
    state.view.selectedAddress = address;
    state.view.remoteRefused = false;
    state.view.parametersRemote = true;
  });
  return std::nullopt;
}

void ShowStep(CommandIo& io, std::string_view step) {
  if (io.errIsTerminal) io.err << "... " << step << "\n" << std::flush;
}

}  // namespace netloom::cli
