// SIGINT and SIGTERM while a command talks to a module: the handler only notes the signal, and
// the command's waits look at it, stop the worker cleanly and exit 130 (128 + the signal).
#pragma once

namespace netloom::cli {

class InterruptGuard {
 public:
  // Installs the handlers; the previous ones come back on destruction. One guard at a time.
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  // The signal that arrived since the guard was made, or 0.
  static int Signal();
  // The exit status for Signal().
  static int ExitStatus();
};

}  // namespace netloom::cli
