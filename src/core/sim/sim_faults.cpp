#include "core/sim/sim_faults.h"

namespace netloom::sim {

void SimFaults::SetRecording(bool on) {
  recording_ = on;
}

std::vector<std::uint8_t> SimFaults::Received() const {
  std::lock_guard lock(receivedMutex_);
  return received_;
}

void SimFaults::ClearReceived() {
  std::lock_guard lock(receivedMutex_);
  received_.clear();
}

void SimFaults::NoteReceived(std::span<const std::uint8_t> bytes) {
  if (!recording_) return;
  std::lock_guard lock(receivedMutex_);
  received_.insert(received_.end(), bytes.begin(), bytes.end());
}

}  // namespace netloom::sim
