// Serial port access: the thin layer every exchange with a module goes through.
//
// Ownership: OpenPort returns a uniquely owned SerialPort; destroying it closes the device.
// Thread safety: a port is used by one thread at a time (the UI thread while opening and
// configuring, then the link worker only). Nothing here locks.
//
// Read semantics every protocol relies on: a read returns as soon as the requested count has
// arrived, or 20 ms after the last byte once at least one byte arrived, or after the total
// read time-out in all, whichever comes first. A silent line is not an error: the read returns 0.
// A total read time-out of 0 takes only what is already waiting.
// A write returns once the bytes are handed to the driver, or fails after the write time-out.
//
// Ports are opened in raw mode (no echo, no line editing, no character translation), with the
// device's line settings as found and the time-outs {read 5000, write 5000} until Configure.
//
// Tracing: with NETLOOM_TRACE=1 in the environment (or after EnableLinkTrace), every port
// opened logs every byte written and read and every failure to standard error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/link/serial/link_health.h"
#include "core/link/serial/uart_settings.h"

namespace netloom::link {

// Gap after the last received byte that ends a read.
inline constexpr std::uint32_t kReadIntervalMs = 20;
// Receive buffer of one exchange; a read asks for at most this many bytes.
inline constexpr std::size_t kReceiveBufferSize = 256;

// The small closed set of failures of the link layer.
enum class ErrorKind {
  None,
  CallerBug,    // a request that can never be right (empty path, closed port)
  System,       // the device or the OS refused; detail holds the system's reason
  Unsupported,  // a setting this platform or device cannot apply
  Protocol,     // time-out, checksum, NAK: the module did not answer as it must
};

struct LinkError {
  ErrorKind kind = ErrorKind::None;
  std::string detail;  // the system's text (strerror) or a short reason; empty for None
  explicit operator bool() const { return kind != ErrorKind::None; }
};

// Result of one read: `failed` tells a broken device (adapter pulled, I/O error) from a
// read that simply timed out with `count` bytes (possibly 0).
struct ReadResult {
  std::size_t count = 0;
  bool failed = false;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Applies the line settings and the time-outs {interval 20, total readTimeoutMs, write
  // writeTimeoutMs}. False when the port or these settings cannot be applied (flow control
  // Xon/Xoff or hardware, stop bits one and a half, a baud rate or byte size the device lacks);
  // the port then keeps its old state and time-outs.
  virtual bool Configure(const UartSettings& settings) = 0;
  // Changes only the total read time-out.
  virtual void SetReadTimeout(std::uint32_t totalMs) = 0;
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Reads up to buffer.size() bytes with the read semantics above.
  virtual ReadResult Read(std::span<std::uint8_t> buffer) = 0;
  // The device path this port was opened on.
  virtual const std::string& Path() const = 0;
  // Why the last Configure, Write or Read failed; None after a success.
  virtual LinkError LastError() const { return {}; }
  // The link's health where there is a link to measure (network ports), else null. Taken by
  // the owner before the port goes to the worker; readable from any thread.
  virtual std::shared_ptr<const LinkHealth> Health() const { return nullptr; }
};

struct OpenResult {
  std::unique_ptr<SerialPort> port;  // null when the port cannot be opened
  LinkError error;                   // why not, with the system's reason as detail
};

// Message a user sees when a port cannot be opened; `error.detail` says why.
inline constexpr std::string_view kCantOpenPortMessage = "Can't open this COM~!!";

// Opens a device path exclusively (a second opener, in this or another program, is refused,
// root included), or a network port named "rfc2217://HOST:PORT" or "tcp://HOST:PORT"
// (network_serial_port.h). Failure kinds: System (absent, busy, permission denied, a server
// that cannot be reached: detail says why and, for a permission or a busy port, what to do),
// Unsupported (not a serial device, a server without serial port control), Protocol (a server
// that does not answer), CallerBug (empty path, a malformed network port name).
OpenResult OpenPort(const std::string& path);

// Turns the trace on for ports opened from now on, as NETLOOM_TRACE=1 does from the start
// (for a --trace flag). Any thread.
void EnableLinkTrace();

// The operations as the protocol code calls them.
bool ConfigurePort(SerialPort& port, const UartSettings& settings);
bool WriteText(SerialPort& port, std::string_view text);
bool WriteByte(SerialPort& port, std::uint8_t byte);
// Bytes read, 0 on failure or time-out; never more than `limit`.
std::size_t ReadBytes(SerialPort& port, std::uint8_t* buffer, std::size_t limit);
// Applies the settings' time-outs with the total read constant `totalMs` (the write time-out
// stays the one of the last successful configuration).
void ApplyReadTimeout(SerialPort& port, const UartSettings& settings, std::uint32_t totalMs);

}  // namespace netloom::link
