#include "core/link/serial/link_health.h"

#include <cstdio>

namespace netloom::link {

std::string RoundTripText(const LinkHealth& health) {
  const std::int64_t micros = health.roundTripMicros.load(std::memory_order_relaxed);
  if (micros < 0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "RTT %.1f ms", static_cast<double>(micros) / 1000.0);
  return text;
}

}  // namespace netloom::link
