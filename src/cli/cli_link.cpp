#include "cli/cli_link.h"

#include <algorithm>
#include <ostream>
#include <utility>

#include "core/link/config/config_messages.h"
#include "core/link/exchange/remote_set_up.h"
#include "core/link/serial/port_directory.h"
#include "core/link/worker/connection.h"

namespace netloom::cli {
namespace {

// How often a wait looks at the signal flag.
constexpr std::chrono::milliseconds kSignalPoll{50};

}  // namespace

std::string UnknownPortReason(const std::string& port) {
  return "unknown port '" + port + "' (see 'netloom-cli ports')";
}

CliLink::CliLink(std::string commandName, CommandIo& io, bool printEcho)
    : commandName_(std::move(commandName)), io_(io), printEcho_(printEcho), logFile_(io) {}

CliLink::~CliLink() {
  Close();
}

std::optional<int> CliLink::Open(const ParsedArgs& args) {
  std::string error;
  auto settings = ParseLineSettings(args, error);
  const auto port = args.Get("--port");
  if (settings && !port) error = "--port is required";
  if (!settings || !port) return UsageError(io_, commandName_, error);
  const auto path = link::ResolvePort(*port);
  if (!path) return UsageError(io_, commandName_, UnknownPortReason(*port));
  if (const auto status = logFile_.Start(args, *path)) return status;
  path_ = *path;
  settings_ = *settings;
  return Reconnect() ? std::nullopt : std::optional<int>(kExitFailed);
}

bool CliLink::Reconnect() {
  Close();
  {
    std::lock_guard lock(mutex_);
    lost_.clear();
    reports_.clear();
    network_.reset();
  }
  link::UartSettings settings = settings_;
  link::Connection connection = link::Connect(path_, settings, *this, session_, configValues_);
  if (!connection.worker) {
    const std::string detail = connection.error.detail;
    Fail(std::string(link::kCantOpenPortMessage) + (detail.empty() ? "" : " (" + detail + ")"));
    return false;
  }
  if (!connection.refused.empty()) Fail(connection.refused);
  worker_ = std::move(connection.worker);
  return true;
}

bool CliLink::WaitInterruptible(const std::function<bool()>& done,
                                const std::function<void()>& onPoll) {
  std::unique_lock lock(mutex_);
  while (!changed_.wait_for(lock, kSignalPoll, done)) {
    if (InterruptGuard::Signal() != 0) return false;
    if (onPoll) {
      lock.unlock();
      onPoll();
      lock.lock();
    }
  }
  return true;
}

std::optional<link::CommandReport> CliLink::WaitFinished(link::WorkerCommand code,
                                                         const std::function<void()>& onPoll) {
  const auto match = [&] {
    return std::find_if(reports_.begin(), reports_.end(),
                        [&](const link::CommandReport& r) { return r.code == code; });
  };
  if (!WaitInterruptible([&] { return match() != reports_.end(); }, onPoll)) return std::nullopt;
  std::lock_guard lock(mutex_);
  const auto found = match();
  link::CommandReport report = *found;
  reports_.erase(found);
  return report;
}

std::optional<link::CommandReport> CliLink::QueryNetwork(const std::function<void()>& onPoll) {
  {
    std::lock_guard lock(mutex_);
    network_.reset();
  }
  link::StartRefresh(*worker_);
  auto report = WaitFinished(link::WorkerCommand::QueryNetwork, onPoll);
  link::StopRefresh(*worker_);  // no refresh timer here: that query was the only one
  return report;
}

std::optional<link::NetworkSnapshot> CliLink::Network() const {
  std::lock_guard lock(mutex_);
  return network_;
}

bool CliLink::WaitQuiet(std::chrono::milliseconds quiet,
                        std::chrono::steady_clock::time_point since,
                        std::chrono::milliseconds limit) {
  return WaitInterruptible([&] {
    const auto now = std::chrono::steady_clock::now();
    return !lost_.empty() || now >= std::max(since, lastByte_) + quiet || now >= since + limit;
  });
}

bool CliLink::Pause(std::chrono::milliseconds time, const link::Clock& clock,
                    const std::function<bool()>& wake, bool endOnLoss) {
  const auto until = clock.Now() + time;
  // `wake` is the caller's: it is asked between the waits, without this link's lock.
  bool woken = false;
  const bool signalled = !WaitInterruptible(
      [&] { return woken || (endOnLoss && !lost_.empty()) || clock.Now() >= until; },
      [&] { woken = wake && wake(); });
  return !signalled && (!endOnLoss || LostText().empty());
}

std::string CliLink::LostText() const {
  std::lock_guard lock(mutex_);
  return lost_;
}

std::string CliLink::Echoed() const {
  std::lock_guard lock(mutex_);
  return echoed_;
}

std::string CliLink::TakeEchoed() {
  std::lock_guard lock(mutex_);
  return std::exchange(echoed_, std::string());
}

void CliLink::Close() {
  if (worker_) worker_->Stop();
  worker_.reset();
}

void CliLink::Fail(std::string_view message) const {
  std::lock_guard lock(mutex_);
  io_.err << OneLine(message) << "\n";
}

void CliLink::AppendOutput(std::string_view text) {
  // A console failure line is the command's failure, told once on standard error.
  if (link::IsRemoteFailureText(text)) return;
  std::lock_guard lock(mutex_);
  echoed_ += text;
  lastByte_ = std::chrono::steady_clock::now();
  if (printEcho_) io_.out << text << std::flush;
  changed_.notify_all();
}

void CliLink::NetworkReady(const link::NetworkSnapshot& snapshot) {
  std::lock_guard lock(mutex_);
  network_ = snapshot;
}

void CliLink::ShowMessage(std::string_view text) {
  std::lock_guard lock(mutex_);
  // The configuration write's message box is the one that reports a success.
  (text == link::kWritingFinished ? io_.out : io_.err) << OneLine(text) << "\n";
}

void CliLink::PortLost(std::string_view text) {
  std::lock_guard lock(mutex_);
  lost_ = text;
  changed_.notify_all();
}

void CliLink::CommandFinished(const link::CommandReport& report) {
  std::lock_guard lock(mutex_);
  reports_.push_back(report);
  changed_.notify_all();
}

}  // namespace netloom::cli
