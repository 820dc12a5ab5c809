#include "support/recording_listener.h"

#include <algorithm>

namespace netloom::testsupport {

namespace {
template <typename T>
std::vector<T> Copy(std::mutex& mutex, const std::vector<T>& items) {
  std::lock_guard lock(mutex);
  return items;
}
}  // namespace

std::vector<std::string> RecordingListener::Calls() const {
  return Copy(mutex_, calls_);
}
std::vector<std::string> RecordingListener::Outputs() const {
  return Copy(mutex_, outputs_);
}
std::vector<std::string> RecordingListener::Messages() const {
  return Copy(mutex_, messages_);
}
std::vector<link::CommandReport> RecordingListener::Reports() const {
  return Copy(mutex_, reports_);
}
std::vector<link::NetworkSnapshot> RecordingListener::Snapshots() const {
  return Copy(mutex_, snapshots_);
}

bool RecordingListener::WaitFor(
    const std::function<bool(const std::vector<std::string>& calls)>& done,
    std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return done(calls_); });
}

bool RecordingListener::WaitFinished(link::WorkerCommand code, int nth,
                                     std::chrono::milliseconds limit) const {
  const std::string line = "Finished:" + std::to_string(static_cast<int>(code));
  return WaitFor(
      [&](const auto& calls) { return std::count(calls.begin(), calls.end(), line) >= nth; },
      limit);
}

void RecordingListener::HoldOutput() {
  std::lock_guard lock(mutex_);
  hold_ = true;
}

bool RecordingListener::WaitHeld(std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return held_; });
}

void RecordingListener::Release() {
  std::lock_guard lock(mutex_);
  hold_ = false;
  changed_.notify_all();
}

void RecordingListener::Note(std::string call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
  changed_.notify_all();
}

void RecordingListener::QueryStarted() {
  Note("QueryStarted");
}
void RecordingListener::ClearDiagram() {
  Note("ClearDiagram");
}

void RecordingListener::NetworkReady(const link::NetworkSnapshot& snapshot) {
  {
    std::lock_guard lock(mutex_);
    snapshots_.push_back(snapshot);
  }
  Note("NetworkReady");
}

void RecordingListener::ConfigTransferStarted() {
  Note("ConfigTransferStarted");
}
void RecordingListener::ConfigValuesChanged() {
  Note("ConfigValuesChanged");
}

void RecordingListener::AppendOutput(std::string_view text) {
  std::unique_lock lock(mutex_);
  outputs_.emplace_back(text);
  calls_.push_back("AppendOutput:" + std::string(text));
  if (hold_) {
    held_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return !hold_; });
    held_ = false;
  }
  changed_.notify_all();
}

void RecordingListener::ShowMessage(std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    messages_.emplace_back(text);
  }
  Note("ShowMessage:" + std::string(text));
}

void RecordingListener::PortLost(std::string_view text) {
  Note("PortLost:" + std::string(text));
}

void RecordingListener::CommandFinished(const link::CommandReport& report) {
  {
    std::lock_guard lock(mutex_);
    reports_.push_back(report);
  }
  Note("Finished:" + std::to_string(static_cast<int>(report.code)));
}

}  // namespace netloom::testsupport
