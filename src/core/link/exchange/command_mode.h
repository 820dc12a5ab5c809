// The command-mode sequences that put a module into the state an exchange needs: the exact
// bytes and pauses, in order. A "read" takes one burst of up to 256 bytes and drops it (the
// module's "OK" or echo). Pauses go through the clock. Worker thread only.
#pragma once

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"

namespace netloom::link {

// "+++"; read; pause 50 ms; CR; read. Before a remote console set-up, and after a remote
// configuration transfer.
void EscapeSequence(SerialPort& port, Clock& clock);
// "---"; read; pause 50 ms; CR; pause 50 ms; read. Before a network query.
void QueryPrelude(SerialPort& port, Clock& clock);
// "+++"; pause 500 ms; CR; pause 500 ms; read. Before an identity read.
void IdentityReadPrelude(SerialPort& port, Clock& clock);
// "+++"; pause 500 ms; CR; pause 200 ms; read. Before an identity write, and after its reset.
void IdentityWritePrelude(SerialPort& port, Clock& clock);

}  // namespace netloom::link
