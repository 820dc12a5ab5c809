#include "core/link/serial/serial_port.h"

#include "core/link/serial/network_port_name.h"
#include "core/link/serial/network_serial_port.h"
#include "core/link/serial/port_tap.h"
#include "core/link/serial/posix_serial_port.h"
#include "core/link/serial/serial_trace.h"

namespace netloom::link {

OpenResult OpenPort(const std::string& path) {
  OpenResult result = IsNetworkPortName(path) ? detail::NetworkSerialPort::Open(path)
                                              : detail::PosixSerialPort::Open(path);
  if (result.error) detail::Trace(path, "open failed: " + result.error.detail);
  if (result.port) detail::Trace(path, "open");
  result.port = detail::Tapped(detail::Traced(std::move(result.port)));
  return result;
}

bool ConfigurePort(SerialPort& port, const UartSettings& settings) {
  return port.Configure(settings);
}

bool WriteText(SerialPort& port, std::string_view text) {
  return port.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

bool WriteByte(SerialPort& port, std::uint8_t byte) {
  return port.Write({&byte, 1});
}

std::size_t ReadBytes(SerialPort& port, std::uint8_t* buffer, std::size_t limit) {
  return port.Read({buffer, limit}).count;
}

void ApplyReadTimeout(SerialPort& port, const UartSettings& /*settings*/, std::uint32_t totalMs) {
  port.SetReadTimeout(totalMs);
}

}  // namespace netloom::link
