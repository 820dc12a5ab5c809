// One connection's serial line settings, with the codes the UART dialog produces.
#pragma once

#include <cstdint>

namespace netloom::link {

enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class StopBits : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };
enum class FlowControl : std::uint8_t { None = 0, XonXoff = 1, Hardware = 2 };

struct UartSettings {
  std::int32_t portNumber = 1;
  std::uint32_t baudRate = 9600;
  std::uint8_t byteSize = 8;
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
  FlowControl flowControl = FlowControl::None;
  std::uint32_t readTimeoutMs = 5000;   // total read time-out constant
  std::uint32_t writeTimeoutMs = 5000;  // total write time-out constant
};

// Read time-out every connection starts with, so the worker's idle read is short.
inline constexpr std::uint32_t kConnectReadTimeoutMs = 200;

}  // namespace netloom::link
