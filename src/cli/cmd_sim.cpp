// netloom-cli sim: a virtual module on a pseudo-terminal until SIGINT or SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <ostream>

#include "cli/cli.h"
#include "cli/options.h"
#include "core/sim/topology_file.h"
#include "core/sim/virtual_module.h"

namespace netloom::cli {
namespace {

constexpr const char* kUsage =
    "usage: netloom-cli sim [--topology FILE] [--link PATH] [--baud-rate-emulation]\n"
    "Starts a virtual module, prints the path of its link, and serves until SIGINT or SIGTERM.\n"
    "  --topology FILE        network to simulate (JSON: {\"nodes\":[{\"address\":\"0000\",\n"
    "                         \"name\":\"Coordinator\",\"children\":[\"1234\"]}, ...]});\n"
    "                         default: the built-in demo network\n"
    "  --link PATH            where to put the link (default: a new name in the folder the\n"
    "                         port list searches)\n"
    "  --baud-rate-emulation  pace every byte at the baud rate set on the line\n";

// The signal handler only writes the signal's number into a pipe the command waits on.
int signalPipe[2] = {-1, -1};

void OnSignal(int signal) {
  const unsigned char number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t n = write(signalPipe[1], &number, 1);
}

// Blocks until SIGINT or SIGTERM and returns its number; the previous handlers come back after.
int WaitForStopSignal() {
  if (pipe2(signalPipe, O_CLOEXEC) != 0) return SIGTERM;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  struct sigaction oldInt {
  }, oldTerm{};
  sigaction(SIGINT, &action, &oldInt);
  sigaction(SIGTERM, &action, &oldTerm);
  unsigned char number = SIGTERM;
  while (read(signalPipe[0], &number, 1) < 0 && errno == EINTR) {
  }
  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  close(signalPipe[0]);
  close(signalPipe[1]);
  return number;
}

int RunSim(const std::vector<std::string>& args, CommandIo& io) {
  std::string error;
  const auto parsed = ParseArgs(
      args, {{"--topology"}, {"--link"}, {"--baud-rate-emulation", false}, {"--help", false}},
      error);
  if (!parsed || !parsed->positional.empty()) {
    io.err << "netloom-cli sim: "
           << (parsed ? "unexpected argument '" + parsed->positional.front() + "'" : error)
           << "; see 'netloom-cli sim --help'\n";
    return kExitUsage;
  }
  if (parsed->Has("--help")) {
    io.out << kUsage;
    return kExitOk;
  }
  sim::VirtualModuleOptions options;
  if (const auto topology = parsed->Get("--topology")) {
    auto loaded = sim::LoadTopologyFile(*topology);
    if (!loaded.network) {
      io.err << "netloom-cli sim: " << loaded.error << "\n";
      return kExitUsage;
    }
    options.network = std::move(*loaded.network);
  }
  options.linkPath = parsed->Get("--link").value_or("");
  options.baudRateEmulation = parsed->Has("--baud-rate-emulation");

  sim::VirtualModule module(std::move(options));
  if (const auto failure = module.Start()) {
    io.err << "netloom-cli sim: cannot start the virtual module: " << failure.detail << "\n";
    return kExitFailed;
  }
  io.out << module.LinkPath() << std::endl;
  const int signal = WaitForStopSignal();
  module.Stop();
  return signal == SIGINT ? kExitInterrupted : 128 + signal;
}

const CommandRegistrar registrar({"sim", "run a virtual module on a pseudo-terminal", RunSim});

}  // namespace
}  // namespace netloom::cli
