#include "cli/module_target.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ostream>

#include "cli/interrupt.h"
#include "cli/progress_line.h"
#include "core/link/config/config_frames.h"
#include "core/link/worker/connection.h"

namespace netloom::cli {

namespace {

// Frames of a configuration image.
constexpr int kImageFrames = static_cast<int>(link::kConfigImageSize / link::kMaxFramePayload);

// The progress of the running exchange as the worker publishes it, on one line.
class ExchangeProgressView {
 public:
  ExchangeProgressView(CliLink& link, CommandIo& io) : link_(link), line_(io) {}
  void Show() {
    const auto progress =
        link_.Session().Read([](const link::LinkState& state) { return state.progress; });
    if (progress.awaitingRestart) {
      const auto now = std::chrono::steady_clock::now();
      if (!restartSince_) restartSince_ = now;
      const auto seconds =
          std::chrono::duration_cast<std::chrono::seconds>(now - *restartSince_).count();
      line_.Show("waiting for the module to restart: " + std::to_string(seconds) + " s");
    } else if (progress.framesDone > 0) {
      const int done = std::min(progress.framesDone, kImageFrames);
      std::string bar(1, '[');
      bar.append(static_cast<std::size_t>(done), '#')
          .append(static_cast<std::size_t>(kImageFrames - done), '.')
          .append("] ")
          .append(std::to_string(done))
          .append("/")
          .append(std::to_string(kImageFrames))
          .append(" frames");
      line_.Show(bar);
    }
  }
  void Clear() { line_.Clear(); }

 private:
  CliLink& link_;
  ProgressLine line_;
  std::optional<std::chrono::steady_clock::time_point> restartSince_;
};

}  // namespace

std::vector<FlagSpec> ReadWriteFlags(std::vector<FlagSpec> actionFlags) {
  auto flags = LineFlags();
  flags.push_back(NodeFlag(
      "the node ADDR (four hex digits) through the coordinator; the network is walked first"));
  flags.insert(flags.end(), actionFlags.begin(), actionFlags.end());
  return flags;
}

OperandSpec ReadWriteOperand() {
  return {.name = "read|write",
          .kind = ValueKind::Choice,
          .choices = {"read", "write"},
          .help = "what to do"};
}

std::optional<int> ParseReadWrite(const std::string& command, const std::vector<std::string>& args,
                                  CommandIo& io, ReadWriteArgs& out) {
  if (const auto status = ParseCommandLine(command, args, io, out.parsed)) return status;
  const ParsedArgs& parsed = out.parsed;
  const auto& words = parsed.positional;
  if (words.empty() || (words[0] != "read" && words[0] != "write")) {
    return UsageError(io, command, "say 'read' or 'write'");
  }
  if (words.size() > 1) return UsageError(io, command, "unexpected '" + words[1] + "'");
  out.write = words[0] == "write";
  for (const FlagSpec& flag : Commands().at(command).flags) {
    if (!flag.action.empty() && flag.action != words[0] && parsed.Has(flag.name)) {
      return UsageError(io, command, "'" + flag.name + "' goes with " + flag.action);
    }
  }
  out.to = parsed.Get("--to").value_or("");
  if (parsed.Has("--to") && !IsNodeAddress(out.to)) {
    return UsageError(io, command, "bad address '" + out.to + "' (four hex digits)");
  }
  return std::nullopt;
}

std::optional<link::CommandReport> Perform(CliLink& link, link::WorkerCommand code,
                                           const std::function<void(link::CThread&)>& request,
                                           CommandIo& io) {
  request(link.Worker());
  ExchangeProgressView progress(link, io);
  auto report = link.WaitFinished(code, [&] { progress.Show(); });
  if (report) progress.Show();  // where it ended, however quick it was
  progress.Clear();
  if (!report) link.Close();
  return report;
}

std::optional<int> TransferConfig(CliLink& link, link::WorkerCommand code, const std::string& to,
                                  CommandIo& io, std::string* failure) {
  const auto report = Perform(
      link, code,
      [code](link::CThread& worker) {
        if (code == link::WorkerCommand::ReadConfig)
          link::RequestConfigRead(worker);
        else
          link::RequestConfigWrite(worker);
      },
      io);
  if (!report) return InterruptGuard::ExitStatus();
  if (report->delivered) return std::nullopt;
  const std::string text = report->failure.empty()
                               ? "node " + to + " is not in the coordinator's network"
                               : report->failure;
  if (report->failure.empty()) link.Fail(text);
  if (failure) *failure = text;
  return kExitFailed;
}

std::optional<std::string> SendConsoleLine(CliLink& link, const std::string& text, bool raw,
                                           const std::string& to) {
  const auto code = raw ? link::WorkerCommand::RawText : link::WorkerCommand::ConsoleCommand;
  const bool queued = raw          ? link::SendRawText(link.Worker(), text)
                      : to.empty() ? link::SendConsoleCommand(link.Worker(), text)
                                   : link::SendConsoleCommandTo(link.Worker(), to, text);
  if (!queued) return "not sent: too many texts wait for the module";
  const auto report = link.WaitFinished(code);
  if (!report) return std::nullopt;
  if (!report->failure.empty()) return report->failure;
  if (!report->delivered) return "write to the port failed";
  return std::string();
}

bool IsNodeAddress(std::string_view text) {
  return text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

std::optional<int> DirectTo(CliLink& link, const std::string& address, CommandIo& io,
                            std::string* failure) {
  ShowStep(io, "walking the network");
  link::StartRefresh(link.Worker());
  const auto walk = link.WaitFinished(link::WorkerCommand::QueryNetwork);
  link::StopRefresh(link.Worker());
  if (!walk) return InterruptGuard::ExitStatus();
  if (!walk->delivered) {
    link.Fail(walk->failure);
    if (failure) *failure = walk->failure;
    return kExitFailed;
  }
  link::SelectNode(link.Session(), address);
  link::SetRemote(link.Session(), link::RemoteSwitch::Parameters, true);
  return std::nullopt;
}

void ShowStep(CommandIo& io, std::string_view step) {
  if (io.errIsTerminal) io.err << "... " << step << "\n" << std::flush;
}

}  // namespace netloom::cli
