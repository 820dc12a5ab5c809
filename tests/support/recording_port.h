// Test support: a serial port wrapper (like the trace wrapper) that writes what the protocol
// code does to the port's timing into one event log, and a clock that writes its pauses into
// the same log, so a test sees read time-outs and pauses in the order they happened.
//
// Events: "timeout <ms>" for every change of the total read time-out, "pause <ms>" for every
// protocol pause. Thread safety: the log may be read from any thread while the worker writes.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"

namespace netloom::testsupport {

class TimingLog {
 public:
  void Note(std::string event);
  std::vector<std::string> Events() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
};

// Passes everything to `port`; notes every read time-out change in `log`.
class RecordingPort final : public link::SerialPort {
 public:
  RecordingPort(std::unique_ptr<link::SerialPort> port, TimingLog& log);

  bool Configure(const link::UartSettings& settings) override;
  void SetReadTimeout(std::uint32_t totalMs) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  link::ReadResult Read(std::span<std::uint8_t> buffer) override;
  const std::string& Path() const override;
  link::LinkError LastError() const override;

 private:
  std::unique_ptr<link::SerialPort> port_;
  TimingLog& log_;
};

// Notes every pause in `log` and sleeps a hundredth of it.
class RecordingPauseClock final : public link::Clock {
 public:
  explicit RecordingPauseClock(TimingLog& log) : log_(log) {}
  void Pause(std::uint32_t ms) override;

 private:
  TimingLog& log_;
  link::CompressedClock compressed_{100};
};

}  // namespace netloom::testsupport
