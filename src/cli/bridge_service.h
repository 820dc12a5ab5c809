// netloom-cli bridge: the live network of one coordinator on an MQTT broker and as Prometheus
// metrics, as a long-running service (topics: bridge/bridge_topics.h; metrics:
// bridge/bridge_metrics.h; commands: bridge/bridge_commands.h).
//
// The service connects to the module as every command does, walks every period and publishes
// what the network memory makes of each walk. A lost port sets `state` to "offline" and is
// opened again, as the desktop program reconnects a pulled adapter: after 1 s, then after twice
// as long each time it does not open, up to 32 s; a port that does not open at the start is
// waited for the same way. The broker connection is kept by the MQTT client. SIGINT or SIGTERM
// ends the service: `state` reads "offline", the port is closed, the exit status is 130 or 143.
//
// Time: the period and the reconnect waits run on `BridgeTime::period` and the node ages on
// `BridgeTime::wall`, so tests drive both; the product passes the real clocks.
// Threads: the service runs on the caller's thread; MQTT requests are queued by the MQTT
// client's thread and served between walks.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "cli/bridge/metrics_server.h"
#include "cli/bridge/mqtt_settings.h"
#include "cli/cli.h"
#include "cli/options.h"
#include "core/link/serial/clock.h"
#include "core/link/serial/wall_clock.h"

namespace netloom::cli {

inline constexpr std::chrono::seconds kDefaultBridgePeriod{60};

struct BridgeOptions {
  ParsedArgs line;  // --port, the line flags and --log, as CliLink::Open takes them
  bridge::MqttSettings mqtt;
  std::string site;
  std::chrono::seconds period = kDefaultBridgePeriod;
  std::chrono::seconds quietLimit{600};
  std::optional<bridge::MetricsAddress> metrics;
  std::string discoveryPrefix;  // empty: no Home Assistant discovery
  bool allowCommands = false;
};

struct BridgeTime {
  const link::Clock& period;
  const link::WallClock& wall;
};

// Parses `args` (after "bridge") and serves until a signal; the exit status (2 with the usage
// error written for a bad command line, 1 when the broker settings or the metrics address
// cannot be used).
int RunBridge(const std::vector<std::string>& args, CommandIo& io, const BridgeTime& time);

// Serves with `options` until a signal.
int ServeBridge(const BridgeOptions& options, CommandIo& io, const BridgeTime& time);

}  // namespace netloom::cli
