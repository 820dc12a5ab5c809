#include "core/link/exchange/receive_byte.h"

namespace netloom::link {

std::optional<std::uint8_t> ReceiveByte(SerialPort& port) {
  std::uint8_t byte = 0;
  for (int read = 0; read < kReadsPerByte; ++read) {
    if (ReadBytes(port, &byte, 1) == 1) return byte;
  }
  return std::nullopt;
}

}  // namespace netloom::link
