#include "core/link/worker/event_set.h"

#include <bit>

namespace netloom::link::detail {

void EventSet::Set(WorkerCommand code) {
  {
    std::lock_guard lock(mutex_);
    bits_ |= std::uint32_t{1} << static_cast<unsigned>(code);
  }
  changed_.notify_all();
}

std::optional<WorkerCommand> EventSet::TakeLowest() {
  std::lock_guard lock(mutex_);
  if (bits_ == 0) return std::nullopt;
  const unsigned lowest = static_cast<unsigned>(std::countr_zero(bits_));
  bits_ &= ~(std::uint32_t{1} << lowest);
  return static_cast<WorkerCommand>(lowest);
}

void EventSet::WaitAny() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return bits_ != 0; });
}

}  // namespace netloom::link::detail
