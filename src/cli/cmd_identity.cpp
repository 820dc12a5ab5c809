// netloom-cli identity: the setup wizard's read and write without the wizard.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/interrupt.h"
#include "cli/module_target.h"
#include "cli/options.h"
#include "core/catalogue/digits.h"
#include "core/link/identity/identity_reply.h"
#include "core/link/worker/connection.h"

namespace netloom::cli {
namespace {

constexpr const char* kTypeNames[] = {"coordinator", "router", "enddevice"};
constexpr std::pair<const char*, int> kModes[] = {{"at", 0}, {"p2p", 1}, {"star", 4}};
constexpr const char* kTypeLabels[] = {"Coordinator", "Router", "EndDevice"};
constexpr const char* kModeLabels[] = {"AT Command", "P2P MODE", "Group MODE", "Remote AT",
                                       "Star MODE"};
constexpr std::string_view kPanLengthMessage = "Please input 4 word";

// The fields `identity write` replaces; each checked as the wizard's pages check it.
struct Changes {
  std::optional<int> type, mode, channel, panId;
  std::optional<std::string> name;

  void ApplyTo(link::ModuleIdentity& identity) const {
    identity.deviceType = type.value_or(identity.deviceType);
    identity.startMode = mode.value_or(identity.startMode);
    identity.channel = channel.value_or(identity.channel);
    identity.panId = panId.value_or(identity.panId);
    identity.deviceName = name.value_or(identity.deviceName);
  }
};

std::optional<Changes> ParseChanges(const ParsedArgs& args, std::string& error) {
  Changes changes;
  if (const auto type = args.Get("--type")) {
    for (int k = 0; k < 3; ++k) {
      if (*type == kTypeNames[k]) changes.type = k;
    }
    if (!changes.type) error = "bad type '" + *type + "' (coordinator, router or enddevice)";
  }
  if (const auto mode = args.Get("--mode")) {
    for (const auto& [name, value] : kModes) {
      if (*mode == name) changes.mode = value;
    }
    if (!changes.mode) error = "bad mode '" + *mode + "' (at, p2p or star)";
  }
  if (const auto channel = args.Get("--channel")) {
    const auto value = catalogue::ParseHexDigits(*channel, static_cast<int>(channel->size()));
    if (channel->size() > 2 || !value || *value < 0x0B || *value > 0x1A) {
      error = "bad channel '" + *channel + "' (0B to 1A)";
    } else {
      changes.channel = static_cast<int>(*value);
    }
  }
  if (const auto pan = args.Get("--pan")) {
    const auto value = catalogue::ParseHexDigits(*pan, 4);
    if (pan->size() != 4) {
      error = std::string(kPanLengthMessage);
    } else if (!value) {
      error = std::string(catalogue::kHexDigitMessage);
    } else {
      changes.panId = static_cast<int>(*value);
    }
  }
  if (const auto name = args.Get("--name")) {
    if (const auto wrong = link::CheckDeviceName(*name)) error = *wrong;
    changes.name = *name;
  }
  if (!error.empty()) return std::nullopt;
  return changes;
}

template <typename Labels>
std::string Labelled(int value, const Labels& labels) {
  const auto count = static_cast<int>(std::size(labels));
  return std::to_string(value) +
         (value >= 0 && value < count ? std::string(" (") + labels[value] + ")" : "");
}

void PrintIdentity(std::ostream& out, const link::ModuleIdentity& identity, bool json) {
  char channel[8], pan[8];
  std::snprintf(channel, sizeof channel, "%02X", identity.channel & 0xFF);
  std::snprintf(pan, sizeof pan, "%04X", identity.panId & 0xFFFF);
  if (json) {
    const nlohmann::ordered_json document{{"version", identity.version},
                                          {"channel", identity.channel},
                                          {"pan_id", pan},
                                          {"device_type", identity.deviceType},
                                          {"start_mode", identity.startMode},
                                          {"name", identity.deviceName}};
    out << document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return;
  }
  out << "version      " << identity.version << "\n"
      << "channel      " << channel << "\n"
      << "pan_id       " << pan << "\n"
      << "device_type  " << Labelled(identity.deviceType, kTypeLabels) << "\n"
      << "start_mode   " << Labelled(identity.startMode, kModeLabels) << "\n"
      << "name         " << identity.deviceName << "\n";
}

link::IdentityExchangeState Identity(CliLink& link) {
  return link.Session().Read([](const link::LinkState& state) { return state.identity; });
}

// Runs an identity exchange and waits for it. Nothing when it went through; else the exit
// status, with the exchange's message written.
std::optional<int> Exchange(CliLink& link, link::WorkerCommand code,
                            const std::function<void(link::CThread&)>& request, CommandIo& io) {
  const auto report = Perform(link, code, request, io);
  if (!report) return InterruptGuard::ExitStatus();
  if (report->delivered) return std::nullopt;
  link.Fail(Identity(link).message);
  return kExitFailed;
}

int RunExchanges(CliLink& link, const ReadWriteArgs& command, const Changes& changes,
                 CommandIo& io) {
  const std::string target = command.to.empty() ? std::string(link::kNoAddress) : command.to;
  ShowStep(io, "reading the identity");
  if (const auto status = Exchange(
          link, link::WorkerCommand::ReadIdentity,
          [&](link::CThread& worker) { link::RequestIdentityRead(worker, target); }, io))
    return *status;
  if (!command.write) {
    PrintIdentity(io.out, Identity(link).current, command.parsed.Has("--json"));
    return kExitOk;
  }
  link::ModuleIdentity requested = Identity(link).requested;
  changes.ApplyTo(requested);
  if (const auto wrong = link::CheckRequestedIdentity(requested)) {
    link.Fail(*wrong);
    return kExitFailed;
  }
  ShowStep(io, "writing the identity and waiting for the restart");
  if (const auto status = Exchange(
          link, link::WorkerCommand::WriteIdentity,
          [&](link::CThread& worker) { link::RequestIdentityWrite(worker, target, requested); },
          io))
    return *status;
  io.out << "identity written; the module has restarted with it\n";
  return kExitOk;
}

int RunIdentity(const std::vector<std::string>& args, CommandIo& io) {
  ReadWriteArgs command;
  if (const auto status = ParseReadWrite("identity", args, io, command)) return *status;
  std::string error;
  const auto changes = ParseChanges(command.parsed, error);
  if (!changes) return UsageError(io, "identity", error);

  CliLink link("identity", io, false);
  if (const auto status = link.Open(command.parsed)) return *status;
  int status = kExitOk;
  if (!command.to.empty()) {
    if (const auto failed = DirectTo(link, command.to, io)) status = *failed;
  }
  if (status == kExitOk) {
    status = RunExchanges(link, command, *changes, io);
  }
  link.Close();
  return InterruptGuard::Signal() != 0 ? InterruptGuard::ExitStatus() : status;
}

std::vector<std::string> Channels() {
  std::vector<std::string> channels;
  for (int channel = 0x0B; channel <= 0x1A; ++channel) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", channel);
    channels.push_back(text);
  }
  return channels;
}

std::vector<FlagSpec> IdentityFlags() {
  std::vector<std::string> modes;
  for (const auto& [name, value] : kModes) modes.push_back(name);
  return ReadWriteFlags(
      {JsonFlag("{\"version\":2,\"channel\":11,\"pan_id\":\"1234\",\"device_type\":0,"
                "\"start_mode\":0,\"name\":\"Device001\"}",
                "read"),
       ChoiceFlag("--type", "the device type", {std::begin(kTypeNames), std::end(kTypeNames)},
                  "write"),
       ChoiceFlag("--mode", "the start mode", modes, "write"),
       {.name = "--channel",
        .valueName = "0B..1A",
        .help = "the radio channel, two hex digits",
        .kind = ValueKind::Choice,
        .choices = Channels(),
        .action = "write"},
       {.name = "--pan",
        .valueName = "HHHH",
        .help = "the PAN id, four hex digits",
        .action = "write"},
       {.name = "--name", .valueName = "TEXT", .help = "the device name", .action = "write"}});
}

const CommandRegistrar kIdentity({
    .name = "identity",
    .summary = "read or write a module's identity (the wizard)",
    .run = RunIdentity,
    .synopsis = {"identity read --port P [--to ADDR] [--json]",
                 "identity write --port P [--to ADDR] [--type coordinator|router|enddevice] "
                 "[--mode at|p2p|star] [--channel 0B..1A] [--pan HHHH] [--name TEXT]"},
    .description = "read prints the module's identity. write reads it, replaces the given "
                   "fields, writes it, resets the module and waits for its restart (about 7 "
                   "seconds).",
    .flags = IdentityFlags(),
    .operands = {ReadWriteOperand()},
});

}  // namespace
}  // namespace netloom::cli
