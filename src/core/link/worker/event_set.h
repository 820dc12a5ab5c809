// The worker's eleven auto-reset events as one set.
//
// A code is either set or not: signalling a set code again changes nothing, so a code signalled
// twice before the worker takes it runs once. Taking picks the lowest set code and clears only
// that one. Thread safety: every member may be called from any thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

#include "core/link/worker/worker_command.h"

namespace netloom::link::detail {

class EventSet {
 public:
  void Set(WorkerCommand code);
  // The lowest set code, cleared; nothing when no code is set. Never blocks.
  std::optional<WorkerCommand> TakeLowest();
  // Blocks until at least one code is set; takes none.
  void WaitAny();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint32_t bits_ = 0;
};

}  // namespace netloom::link::detail
