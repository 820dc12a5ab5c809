#include "cli/bridge/mqtt_settings.h"

#include <cstdlib>
#include <fstream>

namespace netloom::bridge {
namespace {

constexpr std::uint16_t kPlainPort = 1883;
constexpr std::uint16_t kTlsPort = 8883;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// A line without the CR a file written on another system may leave.
std::string Trimmed(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

bool ParseBrokerUrl(const std::string& url, MqttSettings& settings, std::string& error) {
  error = "bad broker '" + url + "' (mqtt://HOST[:PORT] or mqtts://HOST[:PORT])";
  const auto scheme = url.find("://");
  if (scheme == std::string::npos) return false;
  const std::string name = url.substr(0, scheme);
  if (name != "mqtt" && name != "mqtts") return false;
  settings.tls = name == "mqtts";
  std::string rest = url.substr(scheme + 3);
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  settings.port = settings.tls ? kTlsPort : kPlainPort;
  // The last colon starts the port, unless the host is a bracketed IPv6 address.
  const auto colon = rest.rfind(':');
  if (colon != std::string::npos && rest.find(']', colon) == std::string::npos) {
    const std::string port = rest.substr(colon + 1);
    char* end = nullptr;
    const long value = std::strtol(port.c_str(), &end, 10);
    if (port.empty() || *end != '\0' || value < 1 || value > 65535) return false;
    settings.port = static_cast<std::uint16_t>(value);
    rest.resize(colon);
  }
  if (rest.size() > 2 && rest.front() == '[' && rest.back() == ']')
    rest = rest.substr(1, rest.size() - 2);
  if (rest.empty() || rest.find_first_of("/@") != std::string::npos) return false;
  settings.host = rest;
  error.clear();
  return true;
}

bool ReadCredentials(const std::string& file, MqttSettings& settings, std::string& error) {
  if (file.empty()) {
    settings.user = Variable(kUserVariable);
    settings.password = Variable(kPasswordVariable);
    return true;
  }
  std::ifstream in(file);
  std::string first, second;
  if (!in || !std::getline(in, first)) {
    error = "cannot read the credentials file '" + file + "'";
    return false;
  }
  first = Trimmed(first);
  const auto colon = first.find(':');
  if (colon != std::string::npos) {
    settings.user = first.substr(0, colon);
    settings.password = first.substr(colon + 1);
  } else {
    settings.user = first;
    if (std::getline(in, second)) settings.password = Trimmed(second);
  }
  if (settings.user.empty()) {
    error = "the credentials file '" + file + "' names no user (USER:PASSWORD)";
    return false;
  }
  return true;
}

}  // namespace netloom::bridge
