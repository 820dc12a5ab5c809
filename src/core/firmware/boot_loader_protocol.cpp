#include "core/firmware/boot_loader_protocol.h"

#include <cstdio>

namespace netloom::firmware {

std::string LoggedByte(std::uint8_t byte) {
  if ((byte >= 0x20 && byte < 0x7F) || byte == '\r' || byte == '\n') {
    return std::string(1, static_cast<char>(byte));
  }
  char text[4];
  std::snprintf(text, sizeof text, "%02X ", byte);
  return text;
}

}  // namespace netloom::firmware
