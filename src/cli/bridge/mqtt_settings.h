// Where the bridge's broker is and how the bridge proves who it is.
//
// The broker is named by a URL: "mqtt://HOST[:PORT]" (plain, port 1883) or "mqtts://HOST[:PORT]"
// (TLS, port 8883; a CA file is then required). The user name and password never come from the
// command line, where every user's `ps` shows them: they come from a credentials file (the first
// line "USER:PASSWORD", or the user name on the first line and the password on the second) or
// from the environment (NETLOOM_MQTT_USER, NETLOOM_MQTT_PASSWORD); the file wins.
// Pure functions apart from reading the named file and the environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace netloom::bridge {

inline constexpr char kUserVariable[] = "NETLOOM_MQTT_USER";
inline constexpr char kPasswordVariable[] = "NETLOOM_MQTT_PASSWORD";

struct MqttSettings {
  std::string host;
  std::uint16_t port = 1883;
  bool tls = false;
  std::string caFile;    // TLS: the CA that signed the broker's certificate
  std::string certFile;  // TLS: the bridge's own certificate, optional
  std::string keyFile;   // TLS: its key, with certFile
  std::string user;      // empty: no user name is sent
  std::string password;
  std::string clientId;  // empty: the broker's choice
};

// Fills host, port and tls from `url`; false with `error` set for anything else.
bool ParseBrokerUrl(const std::string& url, MqttSettings& settings, std::string& error);

// Fills user and password from the credentials file `file` (empty: none) or else from the
// environment; false with `error` set when the file cannot be read or holds no user name.
bool ReadCredentials(const std::string& file, MqttSettings& settings, std::string& error);

}  // namespace netloom::bridge
