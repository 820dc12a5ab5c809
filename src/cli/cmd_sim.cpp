// netloom-cli sim: a virtual module on a pseudo-terminal until SIGINT or SIGTERM.
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

#include <atomic>
#include <csignal>
#include <ostream>

#include "cli/cli.h"
#include "cli/options.h"
#include "core/catalogue/config_items.h"
#include "core/link/serial/session_log.h"
#include "core/sim/node_image.h"
#include "core/sim/topology_file.h"
#include "core/sim/virtual_module.h"

namespace netloom::cli {
namespace {

// SIGINT and SIGTERM, caught from construction to destruction (the previous handlers come
// back after); the handler only writes the signal's number into a pipe that Wait reads.
class StopSignals {
 public:
  StopSignals() {
    if (pipe2(pipe_, O_CLOEXEC) != 0) return;
    signalFd_.store(pipe_[1], std::memory_order_release);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
  }
  ~StopSignals() {
    if (pipe_[0] < 0) return;
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
    signalFd_.store(-1, std::memory_order_release);
    close(pipe_[0]);
    close(pipe_[1]);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Blocks until one of the signals came; its number.
  int Wait() {
    unsigned char number = SIGTERM;
    while (pipe_[0] >= 0 && read(pipe_[0], &number, 1) < 0 && errno == EINTR) {
    }
    return number;
  }

 private:
  static void OnSignal(int signal) {
    const auto number = static_cast<unsigned char>(signal);
    const int fd = signalFd_.load(std::memory_order_acquire);
    if (fd < 0) return;
    [[maybe_unused]] const ssize_t n = write(fd, &number, 1);
  }

  // The handler may run on any thread; a lock-free atomic is safe to read there.
  static inline std::atomic<int> signalFd_{-1};
  int pipe_[2] = {-1, -1};
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

int RunSim(const std::vector<std::string>& args, CommandIo& io) {
  ParsedArgs parsed;
  if (const auto status = ParseFlagsOnly("sim", args, io, parsed)) return *status;
  if (parsed.Has("--topology") && parsed.Has("--replay")) {
    return UsageError(io, "sim", "--topology and --replay exclude each other");
  }
  sim::VirtualModuleOptions options;
  if (const auto topology = parsed.Get("--topology")) {
    auto loaded = sim::LoadTopologyFile(*topology);
    if (!loaded.network) {
      return UsageError(io, "sim", loaded.error);
    }
    options.network = std::move(*loaded.network);
  }
  if (const auto log = parsed.Get("--replay")) {
    const auto loaded = link::LoadSessionLog(*log);
    if (!loaded.entries) return UsageError(io, "sim", loaded.error);
    options.replay = sim::ReplayScript::FromLog(*loaded.entries);
  }
  if (const auto baud = parsed.Get("--baud")) {
    const auto rate = ParseUnsigned(*baud);
    if (!rate || !sim::ConfigureLineRate(options.network, *rate)) {
      const auto offered = catalogue::ConfigCatalogue()[catalogue::kBaudrateItem].options;
      return UsageError(io, "sim", "bad baud rate '" + *baud + "' (" + ChoiceList(offered) + ")");
    }
  }
  options.linkPath = parsed.Get("--link").value_or("");
  options.baudRateEmulation = parsed.Has("--baud-rate-emulation");

  StopSignals signals;  // before the link is printed: whoever reads it may stop us at once
  sim::VirtualModule module(std::move(options));
  if (const auto failure = module.Start()) {
    return FailureLine(io, "cannot start the virtual module: " + failure.detail);
  }
  io.out << module.LinkPath() << std::endl;
  const int signal = signals.Wait();
  module.Stop();
  return signal == SIGINT ? kExitInterrupted : 128 + signal;
}

std::vector<FlagSpec> SimFlags() {
  const auto offered = catalogue::ConfigCatalogue()[catalogue::kBaudrateItem].options;
  return {
      {.name = "--topology",
       .valueName = "FILE",
       .help = "the network to simulate (JSON: {\"nodes\":[{\"address\":\"0000\",\"name\":"
               "\"Coordinator\",\"children\":[\"1234\"]}, ...]}); default: the built-in "
               "demo network",
       .kind = ValueKind::File},
      {.name = "--replay",
       .valueName = "LOG",
       .help = "serve a session log (written with --log) back: each command the log holds gets "
               "the reply the module gave, in the order given; other commands get no answer, as "
               "from a silent module",
       .kind = ValueKind::File},
      {.name = "--link",
       .valueName = "PATH",
       .help = "where to put the link (default: a new name in the folder the port list "
               "searches)",
       .kind = ValueKind::File},
      {.name = "--baud",
       .valueName = "N",
       .help = "the module's configured line rate in command mode (default 9600; one of the "
               "rates its Baudrate setting offers)",
       .kind = ValueKind::Choice,
       .choices = {offered.begin(), offered.end()}},
      Switch("--baud-rate-emulation", "pace every byte at the baud rate set on the line"),
  };
}

const CommandRegistrar kSim({
    .name = "sim",
    .summary = "run a virtual module on a pseudo-terminal",
    .run = RunSim,
    .synopsis =
        {"sim [--topology FILE | --replay LOG] [--link PATH] [--baud N] [--baud-rate-emulation]"},
    .description = "Starts a virtual module, prints the path of its link, and serves until "
                   "SIGINT or SIGTERM.",
    .flags = SimFlags(),
});

}  // namespace
}  // namespace netloom::cli
