#include "core/link/worker/link_session.h"

#include "core/catalogue/text_case.h"

namespace netloom::link {

bool IsNoAddress(std::string_view address) {
  return catalogue::SameIgnoringCase(address, kNoAddress);  // may come as "null"
}

bool Targeting::refused() const {
  return !IsNoAddress(node) && catalogue::SameIgnoringCase(refusedNode, node);
}

LinkState LinkSession::Snapshot() const {
  return Read([](const LinkState& state) { return state; });
}

LinkSession::WaitResult LinkSession::WaitUntil(const std::function<bool(const LinkState&)>& done,
                                               std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, limit, [&] { return done(state_) || state_.workerEnded; });
  if (done(state_)) return WaitResult::Done;
  return state_.workerEnded ? WaitResult::WorkerEnded : WaitResult::TimedOut;
}

}  // namespace netloom::link
