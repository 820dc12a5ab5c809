#include "core/link/serial/serial_trace.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace netloom::link::detail {
namespace {

std::string Describe(std::string_view what, const LinkError& error) {
  return std::string(what) + " failed: " + error.detail;
}

class TracedPort final : public SerialPort {
 public:
  explicit TracedPort(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {}
  ~TracedPort() override { Trace(Path(), "close"); }

  bool Configure(const UartSettings& s) override {
    const bool ok = inner_->Configure(s);
    Trace(Path(), ok ? "configure " + std::to_string(s.baudRate) + " " +
                           std::to_string(s.byteSize) + " parity " +
                           std::to_string(static_cast<int>(s.parity)) + " stop " +
                           std::to_string(static_cast<int>(s.stopBits)) + " read " +
                           std::to_string(s.readTimeoutMs) + " ms write " +
                           std::to_string(s.writeTimeoutMs) + " ms"
                     : Describe("configure", inner_->LastError()));
    return ok;
  }
  void SetReadTimeout(std::uint32_t totalMs) override {
    inner_->SetReadTimeout(totalMs);
    Trace(Path(), "read time-out " + std::to_string(totalMs) + " ms");
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    const bool ok = inner_->Write(bytes);
    Trace(Path(), "write " + std::to_string(bytes.size()) + ": " + FormatBytes(bytes));
    if (!ok) Trace(Path(), Describe("write", inner_->LastError()));
    return ok;
  }
  ReadResult Read(std::span<std::uint8_t> buffer) override {
    const ReadResult result = inner_->Read(buffer);
    if (result.count > 0) {
      Trace(Path(), "read " + std::to_string(result.count) + ": " +
                        FormatBytes(buffer.first(result.count)));
    }
    if (result.failed) Trace(Path(), Describe("read", inner_->LastError()));
    return result;
  }
  const std::string& Path() const override { return inner_->Path(); }
  LinkError LastError() const override { return inner_->LastError(); }
  std::shared_ptr<const LinkHealth> Health() const override { return inner_->Health(); }

 private:
  std::unique_ptr<SerialPort> inner_;
};

std::atomic<bool>& TraceSwitch() {
  static std::atomic<bool> on = [] {
    const char* value = std::getenv("NETLOOM_TRACE");
    return value != nullptr && value[0] != '\0' && std::string_view(value) != "0";
  }();
  return on;
}

}  // namespace

bool TraceEnabled() {
  return TraceSwitch().load(std::memory_order_relaxed);
}

std::string FormatBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string hex;
  std::string text;
  for (const std::uint8_t byte : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0x0F];
    text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
  }
  return hex + "  " + text;
}

void Trace(std::string_view path, std::string_view event) {
  if (!TraceEnabled()) return;
  static const auto start = std::chrono::steady_clock::now();
  const std::chrono::duration<double> since = std::chrono::steady_clock::now() - start;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.3f", since.count());
  const std::string line = "netloom-trace " + std::string(stamp) + " " + std::string(path) + " " +
                           std::string(event) + "\n";
  // One write per line, so lines of several threads do not interleave.
  [[maybe_unused]] const auto written = ::write(STDERR_FILENO, line.data(), line.size());
}

std::unique_ptr<SerialPort> Traced(std::unique_ptr<SerialPort> port) {
  if (!TraceEnabled() || !port) return port;
  return std::make_unique<TracedPort>(std::move(port));
}

}  // namespace netloom::link::detail

namespace netloom::link {

void EnableLinkTrace() {
  detail::TraceSwitch().store(true);
}

}  // namespace netloom::link
