// The one place protocol pauses go through, so tests can compress time.
//
// Every fixed pause of an exchange (50 ms after "+++", the 5 s module restart, the boot loader's
// waits) calls Clock::Pause. The product uses SystemClock; tests use a clock that divides pauses.
// Read time-outs of the serial port are not pauses: they stay real.
// Thread safety: a Clock is shared by threads; implementations are safe to call concurrently.
#pragma once

#include <chrono>
#include <cstdint>

namespace netloom::link {

class Clock {
 public:
  virtual ~Clock() = default;
  // Sleeps for a protocol pause of `ms` milliseconds (possibly compressed).
  virtual void Pause(std::uint32_t ms) = 0;
  virtual std::chrono::steady_clock::time_point Now() const {
    return std::chrono::steady_clock::now();
  }
};

// Real time.
class SystemClock final : public Clock {
 public:
  void Pause(std::uint32_t ms) override;
};

// Divides every pause by `divisor` (at least 1 microsecond of real sleep is kept, so threads
// still yield). For tests and benchmarks that need the protocol's order but not its waiting.
class CompressedClock final : public Clock {
 public:
  explicit CompressedClock(std::uint32_t divisor) : divisor_(divisor == 0 ? 1 : divisor) {}
  void Pause(std::uint32_t ms) override;

 private:
  std::uint32_t divisor_;
};

// The real-time clock the product hands to everything that pauses.
Clock& DefaultClock();

}  // namespace netloom::link
