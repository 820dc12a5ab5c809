#include "core/link/serial/network_port_name.h"

#include <charconv>

namespace netloom::link {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

std::optional<NetworkProtocol> SchemeOf(std::string_view name) {
  if (StartsWithNoCase(name, kRfc2217Scheme)) return NetworkProtocol::Rfc2217;
  if (StartsWithNoCase(name, kRawTcpScheme)) return NetworkProtocol::RawTcp;
  return std::nullopt;
}

}  // namespace

bool IsNetworkPortName(std::string_view name) {
  return SchemeOf(name).has_value();
}

std::optional<NetworkPortName> ParseNetworkPortName(std::string_view name, std::string& error) {
  const auto protocol = SchemeOf(name);
  const std::string_view usage = "expected rfc2217://HOST:PORT or tcp://HOST:PORT";
  if (!protocol) {
    error = std::string(usage);
    return std::nullopt;
  }
  std::string_view rest =
      name.substr((*protocol == NetworkProtocol::Rfc2217 ? kRfc2217Scheme : kRawTcpScheme).size());
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  std::string_view host;
  std::string_view port;
  if (rest.starts_with('[')) {
    const auto close = rest.find(']');
    if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
      error = std::string(name) + ": " + std::string(usage);
      return std::nullopt;
    }
    host = rest.substr(1, close - 1);
    port = rest.substr(close + 2);
  } else {
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos || rest.find(':') != colon) {
      error = std::string(name) + ": " + std::string(usage);
      return std::nullopt;
    }
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
  }
  if (host.empty() || host.find_first_of("/ \t") != std::string_view::npos) {
    error = std::string(name) + ": no host given (" + std::string(usage) + ")";
    return std::nullopt;
  }
  unsigned number = 0;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (port.empty() || ec != std::errc() || end != port.data() + port.size() || number == 0 ||
      number > 65535) {
    error = std::string(name) + ": the port must be a number from 1 to 65535";
    return std::nullopt;
  }
  return NetworkPortName{*protocol, std::string(host), static_cast<std::uint16_t>(number)};
}

bool CanChangeLineSettings(std::string_view name) {
  return SchemeOf(name) != NetworkProtocol::RawTcp;
}

std::string_view NetworkPortDescription(std::string_view name) {
  const auto protocol = SchemeOf(name);
  if (!protocol) return {};
  return *protocol == NetworkProtocol::Rfc2217 ? "network port (RFC 2217)"
                                               : "network port (raw TCP)";
}

}  // namespace netloom::link
