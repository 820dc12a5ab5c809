#include "core/link/serial/line_names.h"

namespace netloom::link {

std::string_view ParityText(Parity parity) {
  const int index = IndexOf(kParityNames, parity);
  return index < 0 ? std::string_view() : kParityNames[static_cast<std::size_t>(index)].text;
}

std::string_view StopBitsText(StopBits stopBits) {
  return stopBits == StopBits::One ? "1" : stopBits == StopBits::OneAndHalf ? "1.5" : "2";
}

std::string_view FlowText(FlowControl flow) {
  const int index = IndexOf(kFlowNames, flow);
  return index < 0 ? kFlowNames.back().text : kFlowNames[static_cast<std::size_t>(index)].text;
}

std::string LineSettingsText(const UartSettings& settings) {
  std::string text = std::to_string(settings.baudRate) + ' ' + std::to_string(settings.byteSize);
  text += '-';
  text += ParityText(settings.parity);
  text += '-';
  text += StopBitsText(settings.stopBits);
  text += " FLOW:";
  text += FlowText(settings.flowControl);
  return text;
}

}  // namespace netloom::link
