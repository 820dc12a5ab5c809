#include "cli/bridge/metrics_server.h"

#include <httplib.h>

#include <cstdlib>

namespace netloom::bridge {

bool ParseMetricsAddress(const std::string& text, MetricsAddress& address, std::string& error) {
  const auto colon = text.rfind(':');
  std::string host = colon == std::string::npos ? "127.0.0.1" : text.substr(0, colon);
  const std::string port = colon == std::string::npos ? text : text.substr(colon + 1);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  char* end = nullptr;
  const long value = std::strtol(port.c_str(), &end, 10);
  if (host.empty() || port.empty() || *end != '\0' || value < 0 || value > 65535) {
    error = "bad metrics address '" + text + "' (PORT or ADDR:PORT)";
    return false;
  }
  address = {host, static_cast<std::uint16_t>(value)};
  return true;
}

MetricsServer::MetricsServer(const BridgeMetrics& metrics) : metrics_(metrics) {}

MetricsServer::~MetricsServer() {
  Stop();
}

bool MetricsServer::Start(const MetricsAddress& address, std::string& error) {
  server_ = std::make_unique<httplib::Server>();
  server_->Get("/metrics", [this](const httplib::Request&, httplib::Response& response) {
    response.set_content(metrics_.Text(), "text/plain; version=0.0.4; charset=utf-8");
  });
  const int port = address.port == 0 ? server_->bind_to_any_port(address.host)
                   : server_->bind_to_port(address.host, address.port) ? address.port
                                                                       : -1;
  if (port <= 0) {
    error = "cannot serve metrics on " + address.host + ":" + std::to_string(address.port);
    server_.reset();
    return false;
  }
  port_ = static_cast<std::uint16_t>(port);
  finished_ = false;
  thread_ = std::thread([this] {
    server_->listen_after_bind();
    finished_ = true;
  });
  // Stop only reaches a server that has begun listening; that is the thread's first step.
  while (!server_->is_running() && !finished_) std::this_thread::yield();
  return true;
}

void MetricsServer::Stop() {
  if (!server_) return;
  server_->stop();
  if (thread_.joinable()) thread_.join();
  server_.reset();
}

}  // namespace netloom::bridge
