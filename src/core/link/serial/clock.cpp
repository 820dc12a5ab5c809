#include "core/link/serial/clock.h"

#include <thread>

namespace netloom::link {

void SystemClock::Pause(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CompressedClock::Pause(std::uint32_t ms) {
  const auto us = std::chrono::microseconds(std::uint64_t{ms} * 1000 / divisor_);
  std::this_thread::sleep_for(us.count() > 0 ? us : std::chrono::microseconds(1));
}

Clock& DefaultClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace netloom::link
