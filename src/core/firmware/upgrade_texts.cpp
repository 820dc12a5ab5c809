#include "core/firmware/upgrade_texts.h"

#include "core/link/serial/line_names.h"

namespace netloom::firmware {

bool LooksLikeFirmwarePath(std::string_view path) {
  return path.find(".hex") != std::string_view::npos || path.find(".hxf") != std::string_view::npos;
}

std::string UartLogLine(std::string_view portName, const link::UartSettings& settings) {
  std::string line(portName);
  line += ' ';
  line += link::LineSettingsText(settings);
  line += "\r\n";
  return line;
}

}  // namespace netloom::firmware
