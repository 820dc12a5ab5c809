#include "cli/interrupt.h"

#include <atomic>
#include <csignal>

#include "cli/cli.h"

namespace netloom::cli {
namespace {

std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

struct sigaction previousInt {};
struct sigaction previousTerm {};

void OnSignal(int signal) {
  received.store(signal);
}

}  // namespace

InterruptGuard::InterruptGuard() {
  received.store(0);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
}

InterruptGuard::~InterruptGuard() {
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
}

int InterruptGuard::Signal() {
  return received.load();
}

int InterruptGuard::ExitStatus() {
  const int signal = Signal();
  return signal == SIGINT ? kExitInterrupted : 128 + signal;
}

}  // namespace netloom::cli
