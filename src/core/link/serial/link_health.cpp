#include "core/link/serial/link_health.h"

#include <cstdio>
#include <utility>

#include "core/link/serial/com_port_option.h"

namespace netloom::link {

std::string ModemStateText(std::uint8_t state) {
  std::string text = "modem state";
  const std::pair<std::uint8_t, const char*> lines[] = {{rfc2217::kCarrierDetect, " CD"},
                                                        {rfc2217::kRingIndicator, " RI"},
                                                        {rfc2217::kDataSetReady, " DSR"},
                                                        {rfc2217::kClearToSend, " CTS"}};
  for (const auto& [bit, name] : lines) {
    if ((state & bit) != 0) text += name;
  }
  return text;
}

std::string LinkHealthText(const LinkHealth& health) {
  std::string text;
  const std::int64_t micros = health.roundTripMicros.load(std::memory_order_relaxed);
  if (micros >= 0) {
    char roundTrip[32];
    std::snprintf(roundTrip, sizeof roundTrip, "RTT %.1f ms", static_cast<double>(micros) / 1000.0);
    text = roundTrip;
  }
  const int modemState = health.modemState.load(std::memory_order_relaxed);
  if (modemState >= 0) {
    if (!text.empty()) text += "  ";
    text += ModemStateText(static_cast<std::uint8_t>(modemState));
  }
  return text;
}

}  // namespace netloom::link
