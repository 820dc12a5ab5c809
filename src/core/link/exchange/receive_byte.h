// Receiving one byte as the configuration transfers and the identity exchanges do: up to three
// one-byte reads, each lasting at most the port's read time-out; the first that brings a byte
// ends the wait. A read that fails (a pulled adapter) counts as an empty one.
// Worker thread only.
#pragma once

#include <cstdint>
#include <optional>

#include "core/link/serial/serial_port.h"

namespace netloom::link {

inline constexpr int kReadsPerByte = 3;

// The byte, or nothing after three empty reads (a time-out).
std::optional<std::uint8_t> ReceiveByte(SerialPort& port);

}  // namespace netloom::link
