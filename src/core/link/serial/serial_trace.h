// The link's trace: every byte written and read and every failure, on standard error.
//
// One switch: NETLOOM_TRACE set to anything but "" or "0" turns it on (read once per process),
// and so does EnableLinkTrace.
// Lines look like "netloom-trace 12.345 /dev/pts/3 read 3: 41 54 0D  AT.". Safe from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/link/serial/serial_port.h"

namespace netloom::link::detail {

bool TraceEnabled();

// "41 54 0D  AT.": the bytes in hex, then as text with '.' for what is not printable.
std::string FormatBytes(std::span<const std::uint8_t> bytes);

// Logs one event of the port at `path` (no-op while tracing is off).
void Trace(std::string_view path, std::string_view event);

// `port` itself while tracing is off, else `port` wrapped so that everything it does is logged.
std::unique_ptr<SerialPort> Traced(std::unique_ptr<SerialPort> port);

}  // namespace netloom::link::detail
