#include "core/link/serial/network_serial_port.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include "core/link/serial/serial_trace.h"
#include "core/link/serial/tcp_socket.h"

namespace netloom::link::detail {
namespace {

using SteadyClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kChunk = 4096;
// Answer bits of the five line commands (SET-BAUDRATE .. SET-CONTROL).
constexpr unsigned kAllLineAnswers = 0b111110;

SteadyClock::time_point After(std::uint32_t ms) {
  return SteadyClock::now() + milliseconds(ms);
}

// The first setting the server holds other than asked, for the user: "stop bits (asked 3,
// holds 1)"; "stop bits (no answer)" when the server did not answer it.
std::string Refused(const rfc2217::LineValues& asked, const rfc2217::LineValues& held,
                    unsigned answered) {
  struct Field {
    std::uint8_t command;
    const char* name;
    std::uint32_t asked;
    std::uint32_t held;
  };
  const Field fields[] = {
      {rfc2217::kSetBaudRate, "baud rate", asked.baudRate, held.baudRate},
      {rfc2217::kSetDataSize, "byte size", asked.dataSize, held.dataSize},
      {rfc2217::kSetParity, "parity", asked.parity, held.parity},
      {rfc2217::kSetStopSize, "stop bits", asked.stopSize, held.stopSize},
      {rfc2217::kSetControl, "flow control", asked.control, held.control},
  };
  for (const Field& field : fields) {
    if ((answered & (1u << field.command)) == 0) return std::string(field.name) + " (no answer)";
    if (field.asked != field.held) {
      return std::string(field.name) + " (asked " + std::to_string(field.asked) + ", holds " +
             std::to_string(field.held) + ")";
    }
  }
  return {};
}

}  // namespace

NetworkSerialPort::NetworkSerialPort(int fd, std::string path, NetworkProtocol protocol)
    : fd_(fd), path_(std::move(path)), protocol_(protocol) {}

NetworkSerialPort::~NetworkSerialPort() {
  ::close(fd_);
}

OpenResult NetworkSerialPort::Open(const std::string& name) {
  std::string error;
  const auto parsed = ParseNetworkPortName(name, error);
  if (!parsed) return {nullptr, {ErrorKind::CallerBug, error}};
  const TcpConnectResult connected =
      ConnectTcp(parsed->host, parsed->port, milliseconds(kNetworkConnectTimeoutMs));
  if (connected.fd < 0) {
    std::string reason = connected.reason;
    if (reason.empty()) {
      reason =
          connected.error == ETIMEDOUT
              ? "no connection within " + std::to_string(kNetworkConnectTimeoutMs / 1000) + " s"
              : std::generic_category().message(connected.error);
    }
    return {nullptr, {ErrorKind::System, name + ": " + reason}};
  }
  std::unique_ptr<NetworkSerialPort> port(
      new NetworkSerialPort(connected.fd, name, parsed->protocol));
  if (parsed->protocol == NetworkProtocol::Rfc2217 && !port->Negotiate()) {
    return {nullptr, port->lastError_};
  }
  if (const auto rtt = RoundTripMicros(port->fd_)) port->health_->roundTripMicros = *rtt;
  return {std::move(port), {}};
}

bool NetworkSerialPort::Fail(LinkError error) {
  lastError_ = std::move(error);
  return false;
}

bool NetworkSerialPort::FailErrno(int err) {
  broken_ = true;
  return Fail({ErrorKind::System, path_ + ": " + std::generic_category().message(err)});
}

bool NetworkSerialPort::Negotiate() {
  using namespace telnet;
  Negotiation(kWill, kBinary);
  Negotiation(kDo, kBinary);
  Negotiation(kWill, kSuppressGoAhead);
  Negotiation(kDo, kSuppressGoAhead);
  Negotiation(kWill, kComPortOption);
  if (!Flush(After(kServerAnswerTimeoutMs)) ||
      !AwaitServer([this] { return comPortAgreed_ || comPortRefused_; },
                   After(kServerAnswerTimeoutMs), "the Telnet negotiation")) {
    return false;
  }
  if (comPortRefused_) {
    return Fail({ErrorKind::Unsupported,
                 path_ + ": the server offers no serial port control (RFC 2217 refused)"});
  }
  // Zeros ask for the present settings: what Configure returns to when a setting is refused.
  if (!ExchangeLine({}, After(kServerAnswerTimeoutMs))) return false;
  // A new connection starts with empty buffers, as a freshly opened device does: whatever the
  // server kept from before (bytes of an earlier connection, at another rate) is dropped.
  const std::uint8_t purge = rfc2217::kPurgeBoth;
  ComPortRequest(rfc2217::kPurgeData, {&purge, 1});
  if (!Flush(After(kServerAnswerTimeoutMs)) ||
      !AwaitServer([this] { return purged_; }, After(kServerAnswerTimeoutMs), "the purge")) {
    return false;
  }
  pending_.clear();
  pendingStart_ = 0;
  return true;
}

template <typename Done>
bool NetworkSerialPort::AwaitServer(Done done, TimePoint deadline, std::string_view awaited) {
  while (!done()) {
    const Received received = ReceiveUntil(deadline);
    if (received == Received::Failed) return false;
    if (received == Received::Nothing) {
      return Fail({ErrorKind::Protocol, path_ + ": the server did not answer " +
                                            std::string(awaited) + " within " +
                                            std::to_string(kServerAnswerTimeoutMs / 1000) + " s"});
    }
  }
  return true;
}

bool NetworkSerialPort::ExchangeLine(const rfc2217::LineValues& values, TimePoint deadline) {
  answered_ = 0;
  for (const rfc2217::Request& request : rfc2217::LineRequests(values)) {
    ComPortRequest(request.command, request.value);
  }
  return Flush(deadline) &&
         AwaitServer([this] { return (answered_ & kAllLineAnswers) == kAllLineAnswers; }, deadline,
                     "the line settings");
}

bool NetworkSerialPort::Configure(const UartSettings& settings) {
  if (broken_) return false;
  if (protocol_ == NetworkProtocol::RawTcp) {
    return Fail({ErrorKind::Unsupported,
                 path_ + ": a raw TCP port has no line settings (the server's own apply)"});
  }
  if (settings.flowControl != FlowControl::None) {
    return Fail({ErrorKind::Unsupported, path_ + ": flow control is not supported"});
  }
  const rfc2217::LineValues wanted = rfc2217::ValuesOf(settings);
  const rfc2217::LineValues old = held_;
  const bool answered = ExchangeLine(wanted, After(kServerAnswerTimeoutMs));
  if (broken_) return false;
  if (answered && held_ == wanted) {
    // DTR and RTS on, as the module expects; a server without modem lines does not answer.
    const std::uint8_t dtr = rfc2217::kDtrOn;
    const std::uint8_t rts = rfc2217::kRtsOn;
    ComPortRequest(rfc2217::kSetControl, {&dtr, 1});
    ComPortRequest(rfc2217::kSetControl, {&rts, 1});
    if (!Flush(After(writeTimeoutMs_))) return false;
    readTimeoutMs_ = settings.readTimeoutMs;
    writeTimeoutMs_ = settings.writeTimeoutMs;
    lastError_ = {};
    return true;
  }
  LinkError refused{ErrorKind::Unsupported,
                    path_ + ": the server refused the " + Refused(wanted, held_, answered_)};
  ExchangeLine(old, After(kServerAnswerTimeoutMs));  // back to what it held
  return broken_ ? false : Fail(std::move(refused));
}

bool NetworkSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (broken_) return false;
  if (protocol_ == NetworkProtocol::Rfc2217) {
    telnet::AppendEscaped(bytes, outgoing_);
  } else {
    outgoing_.assign(bytes.begin(), bytes.end());
  }
  if (!Flush(After(writeTimeoutMs_))) return false;
  lastError_ = {};
  return true;
}

bool NetworkSerialPort::Flush(TimePoint deadline) {
  const int err = SendAll(fd_, outgoing_, deadline);
  outgoing_.clear();
  if (err == ETIMEDOUT) return Fail({ErrorKind::Protocol, path_ + ": write timed out"});
  return err == 0 || FailErrno(err);
}

ReadResult NetworkSerialPort::Read(std::span<std::uint8_t> buffer) {
  const auto deadline = After(readTimeoutMs_);
  const auto interval = milliseconds(kReadIntervalMs);
  ReadResult result;
  result.count = TakePending(buffer);
  auto lastByte = SteadyClock::now();
  if (!broken_) lastError_ = {};
  while (result.count < buffer.size() && !broken_) {
    const auto until = result.count == 0 ? deadline : std::min(deadline, lastByte + interval);
    const Received received = ReceiveUntil(until);
    if (received == Received::Nothing) break;
    const std::size_t taken = TakePending(buffer.subspan(result.count));
    if (taken > 0) {
      result.count += taken;
      lastByte = SteadyClock::now();
    }
  }
  result.failed = broken_;
  return result;
}

std::size_t NetworkSerialPort::TakePending(std::span<std::uint8_t> buffer) {
  const std::size_t count = std::min(buffer.size(), pending_.size() - pendingStart_);
  std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pendingStart_), count, buffer.begin());
  pendingStart_ += count;
  if (pendingStart_ == pending_.size()) {
    pending_.clear();
    pendingStart_ = 0;
  }
  return count;
}

NetworkSerialPort::Received NetworkSerialPort::ReceiveUntil(TimePoint deadline) {
  const int ready = WaitReadable(fd_, deadline);
  if (ready == 0) return Received::Nothing;
  if (ready < 0) return FailErrno(errno), Received::Failed;
  std::array<std::uint8_t, kChunk> chunk{};
  const ssize_t got = ::recv(fd_, chunk.data(), chunk.size(), 0);
  if (got == 0) {
    broken_ = true;
    Fail({ErrorKind::System, path_ + ": the server closed the connection"});
    return Received::Failed;
  }
  if (got < 0) {
    if (errno == EAGAIN || errno == EINTR) return Received::Something;
    FailErrno(errno);
    return Received::Failed;
  }
  const std::span<const std::uint8_t> bytes(chunk.data(), static_cast<std::size_t>(got));
  if (protocol_ == NetworkProtocol::RawTcp) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  } else {
    decoder_.Feed(bytes, pending_, events_);
    for (const telnet::Event& event : events_) Handle(event);
    events_.clear();
    if (!outgoing_.empty() && !Flush(After(writeTimeoutMs_)) && broken_) return Received::Failed;
  }
  if (const auto rtt = RoundTripMicros(fd_)) {
    health_->roundTripMicros.store(*rtt, std::memory_order_relaxed);
  }
  return Received::Something;
}

void NetworkSerialPort::Negotiation(std::uint8_t verb, std::uint8_t option) {
  const auto key = static_cast<std::uint16_t>(verb << 8 | option);
  if (std::find(sentNegotiations_.begin(), sentNegotiations_.end(), key) !=
      sentNegotiations_.end()) {
    return;
  }
  sentNegotiations_.push_back(key);
  telnet::AppendNegotiation(verb, option, outgoing_);
}

void NetworkSerialPort::ComPortRequest(std::uint8_t command, std::span<const std::uint8_t> value) {
  std::vector<std::uint8_t> payload{command};
  payload.insert(payload.end(), value.begin(), value.end());
  telnet::AppendSubnegotiation(telnet::kComPortOption, payload, outgoing_);
}

void NetworkSerialPort::Handle(const telnet::Event& event) {
  using namespace telnet;
  const bool wanted = event.option == kBinary || event.option == kSuppressGoAhead;
  switch (event.verb) {
    case kWill:
      Negotiation(wanted ? kDo : kDont, event.option);
      break;
    case kDo:
      if (event.option == kComPortOption) comPortAgreed_ = true;
      Negotiation(wanted || event.option == kComPortOption ? kWill : kWont, event.option);
      break;
    case kDont:
      if (event.option == kComPortOption) comPortRefused_ = true;
      break;
    case kSb:
      if (event.option == kComPortOption) HandleComPort(event.payload);
      break;
    default:
      break;
  }
}

void NetworkSerialPort::HandleComPort(std::span<const std::uint8_t> payload) {
  if (const auto command = rfc2217::TakeLineAnswer(payload, held_)) {
    answered_ |= 1u << *command;
    return;
  }
  if (payload.size() < 2) return;
  switch (payload[0]) {
    case rfc2217::kServerOffset + rfc2217::kNotifyModemState:
      health_->modemState.store(payload[1], std::memory_order_relaxed);
      Trace(path_, ModemStateText(payload[1]));
      break;
    case rfc2217::kServerOffset + rfc2217::kNotifyLineState:
      Trace(path_, "line state " + std::to_string(payload[1]));
      break;
    case rfc2217::kServerOffset + rfc2217::kPurgeData:
      purged_ = true;
      break;
    default:
      break;
  }
}

}  // namespace netloom::link::detail
