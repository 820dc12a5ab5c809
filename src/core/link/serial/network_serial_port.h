// A serial port reached over TCP: "rfc2217://HOST:PORT" through a Telnet COM-PORT-OPTION server
// (RFC 2217; line settings, DTR/RTS and purges go to the server's device), or "tcp://HOST:PORT",
// a raw byte stream whose line settings are out of reach.
//
// Same contract as every SerialPort (serial_port.h), read semantics included: the interval and
// the total time-out count data bytes only, never the Telnet commands around them. Data bytes
// 0xFF are doubled on the way out and undoubled on the way in.
//
// Opening connects within kNetworkConnectTimeoutMs; an RFC 2217 port then negotiates binary
// both ways, suppress go-ahead and COM-PORT-OPTION, reads the server's present line settings and
// purges the server's buffers, each answer awaited at most kServerAnswerTimeoutMs: a server that
// accepts and never answers is refused at the open. Configure sends the line settings and DTR/RTS
// on, and reads back what the server took; a setting the server answers with another value (or
// not at all) makes Configure fail with kind Unsupported, as the local port's refusals do, and
// the server's old settings are sent back. A raw TCP port refuses every Configure (Unsupported).
//
// A connection the server closes or resets, or one keepalive found dead, fails the next read
// (ReadResult.failed), as a pulled adapter does.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/link/serial/com_port_option.h"
#include "core/link/serial/link_health.h"
#include "core/link/serial/network_port_name.h"
#include "core/link/serial/serial_port.h"
#include "core/link/serial/telnet_codec.h"

namespace netloom::link {

inline constexpr std::uint32_t kNetworkConnectTimeoutMs = 5000;
inline constexpr std::uint32_t kServerAnswerTimeoutMs = 3000;

}  // namespace netloom::link

namespace netloom::link::detail {

class NetworkSerialPort final : public SerialPort {
 public:
  // Connects to the port `name` names (see network_port_name.h) and, for RFC 2217, negotiates.
  static OpenResult Open(const std::string& name);
  ~NetworkSerialPort() override;
  NetworkSerialPort(const NetworkSerialPort&) = delete;
  NetworkSerialPort& operator=(const NetworkSerialPort&) = delete;

  bool Configure(const UartSettings& settings) override;
  void SetReadTimeout(std::uint32_t totalMs) override { readTimeoutMs_ = totalMs; }
  bool Write(std::span<const std::uint8_t> bytes) override;
  ReadResult Read(std::span<std::uint8_t> buffer) override;
  const std::string& Path() const override { return path_; }
  LinkError LastError() const override { return lastError_; }
  std::shared_ptr<const LinkHealth> Health() const override { return health_; }

 private:
  using TimePoint = std::chrono::steady_clock::time_point;
  enum class Received { Something, Nothing, Failed };

  NetworkSerialPort(int fd, std::string path, NetworkProtocol protocol);
  // The RFC 2217 start: negotiation, the server's line settings, the purge.
  bool Negotiate();
  // Waits until `done` holds, the connection fails, or `deadline` passes; true when done.
  template <typename Done>
  bool AwaitServer(Done done, TimePoint deadline, std::string_view awaited);
  // Sends the five line requests for `values` and awaits their answers into held_.
  bool ExchangeLine(const rfc2217::LineValues& values, TimePoint deadline);
  // Waits for bytes until `deadline` and decodes them: data into pending_, commands handled.
  Received ReceiveUntil(TimePoint deadline);
  void Handle(const telnet::Event& event);
  void HandleComPort(std::span<const std::uint8_t> payload);
  // Sends a negotiation once: a verb already sent for an option is not repeated.
  void Negotiation(std::uint8_t verb, std::uint8_t option);
  void ComPortRequest(std::uint8_t command, std::span<const std::uint8_t> value);
  // Sends what the negotiation queued in outgoing_.
  bool Flush(TimePoint deadline);
  std::size_t TakePending(std::span<std::uint8_t> buffer);
  bool Fail(LinkError error);
  bool FailErrno(int err);

  int fd_;
  std::string path_;
  NetworkProtocol protocol_;
  std::uint32_t readTimeoutMs_ = 5000;
  std::uint32_t writeTimeoutMs_ = 5000;
  LinkError lastError_;
  std::shared_ptr<LinkHealth> health_ = std::make_shared<LinkHealth>();

  telnet::Decoder decoder_;
  std::vector<std::uint8_t> pending_;  // data bytes received and not yet read
  std::size_t pendingStart_ = 0;
  std::vector<telnet::Event> events_;
  std::vector<std::uint8_t> outgoing_;
  std::vector<std::uint16_t> sentNegotiations_;  // verb << 8 | option
  bool broken_ = false;  // the connection failed: every read and write fails from now on
  bool comPortAgreed_ = false;
  bool comPortRefused_ = false;
  bool purged_ = false;
  rfc2217::LineValues held_;  // what the server said it holds
  unsigned answered_ = 0;     // bit c: the answer to line command c came since the last requests
};

}  // namespace netloom::link::detail
