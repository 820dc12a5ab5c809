#include "gui/model/port_settings_text.h"

#include <array>
#include <cstdio>

namespace netloom::model {

std::string PortSettingsText(const link::UartSettings& s) {
  static constexpr std::array<const char*, 5> kParity = {"None", "Odd", "Even", "Mark", "Space"};
  const auto parity = static_cast<std::size_t>(s.parity);
  const char* parityName = parity < kParity.size() ? kParity[parity] : "None";
  const char* stopName = s.stopBits == link::StopBits::One          ? "1"
                         : s.stopBits == link::StopBits::OneAndHalf ? "1.5"
                                                                    : "2";
  const char* flowName = s.flowControl == link::FlowControl::None      ? "None"
                         : s.flowControl == link::FlowControl::XonXoff ? "Xon/Xoff"
                                                                       : "Hardware";
  char text[256];
  std::snprintf(text, sizeof text, "%u %u-%s-%s FLOW:%s", static_cast<unsigned>(s.baudRate),
                static_cast<unsigned>(s.byteSize), parityName, stopName, flowName);
  return text;
}

}  // namespace netloom::model
