#include "core/firmware/upgrade_texts.h"

namespace netloom::firmware {
namespace {

std::string_view ParityName(link::Parity parity) {
  switch (parity) {
    case link::Parity::None:
      return "None";
    case link::Parity::Odd:
      return "Odd";
    case link::Parity::Even:
      return "Even";
    case link::Parity::Mark:
      return "Mark";
    case link::Parity::Space:
      return "Space";
  }
  return "";
}

std::string_view StopBitsText(link::StopBits stopBits) {
  switch (stopBits) {
    case link::StopBits::One:
      return "1";
    case link::StopBits::OneAndHalf:
      return "1.5";
    default:
      return "2";
  }
}

std::string_view FlowText(link::FlowControl flow) {
  switch (flow) {
    case link::FlowControl::None:
      return "None";
    case link::FlowControl::XonXoff:
      return "Xon/Xoff";
    default:
      return "Hardware";
  }
}

}  // namespace

bool LooksLikeFirmwarePath(std::string_view path) {
  return path.find(".hex") != std::string_view::npos || path.find(".hxf") != std::string_view::npos;
}

std::string UartLogLine(std::string_view portName, const link::UartSettings& settings) {
  std::string line(portName);
  line += ' ' + std::to_string(settings.baudRate) + ' ' + std::to_string(settings.byteSize) + '-';
  line += ParityName(settings.parity);
  line += '-';
  line += StopBitsText(settings.stopBits);
  line += " FLOW:";
  line += FlowText(settings.flowControl);
  line += "\r\n";
  return line;
}

}  // namespace netloom::firmware
