#include "support/recording_port.h"

namespace netloom::testsupport {

void TimingLog::Note(std::string event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

std::vector<std::string> TimingLog::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

void TimingLog::Clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

RecordingPort::RecordingPort(std::unique_ptr<link::SerialPort> port, TimingLog& log)
    : port_(std::move(port)), log_(log) {}

bool RecordingPort::Configure(const link::UartSettings& settings) {
  return port_->Configure(settings);
}

void RecordingPort::SetReadTimeout(std::uint32_t totalMs) {
  log_.Note("timeout " + std::to_string(totalMs));
  port_->SetReadTimeout(totalMs);
}

bool RecordingPort::Write(std::span<const std::uint8_t> bytes) {
  return port_->Write(bytes);
}

link::ReadResult RecordingPort::Read(std::span<std::uint8_t> buffer) {
  return port_->Read(buffer);
}

const std::string& RecordingPort::Path() const {
  return port_->Path();
}

link::LinkError RecordingPort::LastError() const {
  return port_->LastError();
}

void RecordingPauseClock::Pause(std::uint32_t ms) {
  log_.Note("pause " + std::to_string(ms));
  compressed_.Pause(ms);
}

}  // namespace netloom::testsupport
