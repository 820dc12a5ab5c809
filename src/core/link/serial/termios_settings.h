// UartSettings to termios: which settings a POSIX serial device can take, and how.
#pragma once

#include <termios.h>

#include <string>

#include "core/link/serial/uart_settings.h"

namespace netloom::link::detail {

// The termios speed constant of a baud rate, or B0 when termios has none for it.
speed_t SpeedOf(std::uint32_t baudRate);

// Writes the line settings (speed, byte size, parity, stop bits, no flow control) into `state`
// and makes it raw. False, with `reason` set and `state` untouched, for settings a POSIX
// device cannot take: flow control Xon/Xoff or hardware, one and a half stop bits, a byte size
// outside 5..8, a baud rate without a termios speed.
bool ApplyLineSettings(const UartSettings& settings, termios& state, std::string& reason);

// Raw mode: bytes pass unchanged both ways, no echo, no signals, reads never block in the
// driver (timing is done with poll), the modem lines do not gate reception.
void MakeRaw(termios& state);

}  // namespace netloom::link::detail
