#include "core/link/worker/link_session.h"

namespace netloom::link {

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
