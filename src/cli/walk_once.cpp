#include "cli/walk_once.h"

#include "cli/progress_line.h"
#include "core/link/walk/device_directory.h"
#include "core/link/walk/network_walk.h"

namespace netloom::cli {
namespace {

// "walking the network: N nodes" while the walk runs (on a terminal).
class WalkProgress {
 public:
  explicit WalkProgress(CommandIo& io)
      : line_(io), before_(link::ProcessDeviceDirectory().Size()) {}
  void Show() {
    line_.Show("walking the network: " +
               std::to_string(link::ProcessDeviceDirectory().Size() - before_) + " nodes");
  }
  void Clear() { line_.Clear(); }

 private:
  ProgressLine line_;
  const std::size_t before_;
};

}  // namespace

std::optional<int> WalkOnce(CliLink& link, CommandIo& io,
                            std::optional<link::NetworkSnapshot>& network, std::string& failure) {
  WalkProgress progress(io);
  const auto report = link.QueryNetwork([&] { progress.Show(); });
  progress.Clear();
  if (!report) return InterruptGuard::ExitStatus();
  if (const std::string lost = link.LostText(); !lost.empty()) {
    link.Fail(lost);
    return kExitFailed;
  }
  network = link.Network();
  if (!network) {
    failure =
        report->failure.empty() ? std::string(link::kNoAnswerFromCoordinator) : report->failure;
  }
  return std::nullopt;
}

}  // namespace netloom::cli
