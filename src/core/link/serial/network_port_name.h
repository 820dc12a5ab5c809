// Network port names: "rfc2217://HOST:PORT" (a serial port behind a Telnet COM-PORT-OPTION
// server) and "tcp://HOST:PORT" (a raw byte stream, line settings out of reach), accepted
// wherever a device path is. Pure text handling; no I/O, any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace netloom::link {

enum class NetworkProtocol : std::uint8_t { Rfc2217, RawTcp };

inline constexpr std::string_view kRfc2217Scheme = "rfc2217://";
inline constexpr std::string_view kRawTcpScheme = "tcp://";

struct NetworkPortName {
  NetworkProtocol protocol = NetworkProtocol::Rfc2217;
  std::string host;  // a name or an address; an IPv6 address without its brackets
  std::uint16_t port = 0;
};

// True when `name` starts with one of the schemes (in any case): it names a network port,
// well-formed or not, and never a device.
bool IsNetworkPortName(std::string_view name);

// The parts of a network port name: HOST is a name, an IPv4 address or a bracketed IPv6
// address; PORT is 1..65535. Nothing, with `error` saying what is wrong, for a malformed name.
std::optional<NetworkPortName> ParseNetworkPortName(std::string_view name, std::string& error);

// Whether the port named can change its line settings (its rate above all): a device or an
// RFC 2217 port can, a raw TCP port cannot.
bool CanChangeLineSettings(std::string_view name);

// What the port list says of a network port: "network port (RFC 2217)", "network port (raw
// TCP)"; empty for a device.
std::string_view NetworkPortDescription(std::string_view name);

}  // namespace netloom::link
