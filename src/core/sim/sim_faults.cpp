#include "core/sim/sim_faults.h"

#include <cctype>
#include <utility>

namespace netloom::sim {

void SimFaults::SetNetInfoFault(std::string address, NetInfoFault fault) {
  for (char& c : address) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::lock_guard lock(netInfoMutex_);
  netInfoAddress_ = std::move(address);
  netInfoFault_ = fault;
}

NetInfoFault SimFaults::NetInfoFaultOf(std::string_view address) const {
  std::lock_guard lock(netInfoMutex_);
  return address == netInfoAddress_ ? netInfoFault_ : NetInfoFault::None;
}

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
