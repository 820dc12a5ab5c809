// The metrics endpoint: GET /metrics answers BridgeMetrics::Text() as Prometheus text, over
// HTTP from a maintained library (cpp-httplib); every other path is 404.
//
// The address is "PORT" (bound to 127.0.0.1, so only this machine can read it) or
// "ADDR:PORT" ("0.0.0.0:9464" for every interface, "[::1]:9464"). Port 0 takes a free one.
// Threads: the server answers on a thread of its own; Start and Stop from the owner's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "cli/bridge/bridge_metrics.h"

namespace httplib {
class Server;
}

namespace netloom::bridge {

struct MetricsAddress {
  std::string host = "127.0.0.1";
  std::uint16_t port = 0;
};

// "PORT" or "ADDR:PORT"; false with `error` set for anything else.
bool ParseMetricsAddress(const std::string& text, MetricsAddress& address, std::string& error);

class MetricsServer {
 public:
  explicit MetricsServer(const BridgeMetrics& metrics);
  ~MetricsServer();
  MetricsServer(const MetricsServer&) = delete;
  MetricsServer& operator=(const MetricsServer&) = delete;

  // Binds and starts serving; false with `error` set when the address cannot be bound.
  bool Start(const MetricsAddress& address, std::string& error);
  // The port bound (the free one chosen for port 0).
  std::uint16_t Port() const { return port_; }
  void Stop();

 private:
  const BridgeMetrics& metrics_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
  std::uint16_t port_ = 0;
};

}  // namespace netloom::bridge
