#include "core/sim/sim_link.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace netloom::sim {
namespace {

using std::chrono::steady_clock;

// Bytes that can never be taken for part of a reply.
constexpr std::string_view kNoiseAlphabet = "~#?!%&*^|@$;:";

// No line settings yet (or a zero rate): the module's own default.
constexpr unsigned kDefaultBaud = 9600;

std::optional<std::uint32_t> BaudOf(speed_t speed) {
  static constexpr std::pair<speed_t, std::uint32_t> kRates[] = {
      {B300, 300},       {B600, 600},       {B1200, 1200},    {B2400, 2400},   {B4800, 4800},
      {B9600, 9600},     {B19200, 19200},   {B38400, 38400},  {B57600, 57600}, {B115200, 115200},
      {B230400, 230400}, {B460800, 460800}, {B921600, 921600}};
  for (const auto& [code, rate] : kRates) {
    if (code == speed) return rate;
  }
  return std::nullopt;
}

}  // namespace

SimLink::SimLink(SimFaults& faults, int wakeFd, std::function<bool()> interrupted, Options options)
    : faults_(faults), wakeFd_(wakeFd), interrupted_(std::move(interrupted)), options_(options) {}

void SimLink::Attach(int masterFd, int slaveFd) {
  masterFd_ = masterFd;
  slaveFd_ = slaveFd;
  Drop(input_.size());
}

void SimLink::SetLineRate(std::uint32_t rate, std::optional<std::uint32_t> returnRate) {
  lineRate_ = rate;
  returnRate_ = returnRate;
  faults_.NoteLineRate(rate);
}

bool SimLink::Heard(std::uint32_t rate) const {
  return rate == lineRate_ || (returnRate_ && rate == *returnRate_);
}

std::optional<std::uint32_t> SimLink::ClientRate() const {
  termios tio{};
  if (tcgetattr(slaveFd_, &tio) != 0) return std::nullopt;
  return BaudOf(cfgetospeed(&tio)).value_or(0);
}

void SimLink::Garble(std::span<std::uint8_t> bytes) {
  for (std::uint8_t& b : bytes) {
    garbleSeed_ = garbleSeed_ * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(0x80 | ((garbleSeed_ >> 16) & 0x7F));
  }
}

void SimLink::Drop(std::size_t count) {
  input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(count));
  atReturnRate_.erase(atReturnRate_.begin(),
                      atReturnRate_.begin() + static_cast<std::ptrdiff_t>(count));
}

bool SimLink::Fill(Deadline deadline) {
  std::uint8_t buffer[256];
  for (;;) {
    if (interrupted_()) throw Interrupted{};
    int waitMs = -1;
    if (deadline) {
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(*deadline - steady_clock::now());
      if (left.count() <= 0) return false;
      waitMs = static_cast<int>(left.count());
    }
    pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {masterFd_, POLLIN, 0}};
    if (poll(fds, 2, waitMs) < 0 && errno != EINTR) return false;
    if (fds[0].revents & POLLIN) {
      while (::read(wakeFd_, buffer, sizeof buffer) > 0) {
      }
      continue;
    }
    if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
      const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
      if (n > 0) {
        const std::span<std::uint8_t> got(buffer, static_cast<std::size_t>(n));
        // The rate is read as the bytes are taken in: clients set it before they write.
        const auto client = ClientRate();
        const bool atReturnRate = client && *client != lineRate_ && Heard(*client);
        if (client && !Heard(*client)) Garble(got);
        faults_.NoteReceived(got);
        // With pacing the bytes are there only once a UART would have taken them in.
        if (options_.baudRateEmulation) {
          receivedUntil_ = std::max(receivedUntil_, steady_clock::now()) + ByteTime() * n;
          std::this_thread::sleep_until(receivedUntil_);
        }
        input_.insert(input_.end(), got.begin(), got.end());
        atReturnRate_.insert(atReturnRate_.end(), got.size(), atReturnRate);
        return true;
      }
      // A broken master would report at once, again and again: wait out the time instead.
      if (n < 0 && errno != EAGAIN && errno != EINTR) {
        pollfd wake{wakeFd_, POLLIN, 0};
        poll(&wake, 1, waitMs < 0 ? 100 : std::min(waitMs, 100));
      }
    }
  }
}

std::optional<std::uint8_t> SimLink::ReadByte(std::chrono::milliseconds timeout) {
  if (input_.empty() && !Fill(steady_clock::now() + timeout)) return std::nullopt;
  const std::uint8_t byte = input_.front();
  tookAtReturnRate_ = atReturnRate_.front();
  Drop(1);
  return byte;
}

std::optional<std::uint8_t> SimLink::PeekByte(std::chrono::milliseconds timeout) {
  if (input_.empty() && !Fill(steady_clock::now() + timeout)) return std::nullopt;
  return input_.front();
}

std::optional<std::string> SimLink::ReadLine(std::optional<std::chrono::milliseconds> timeout) {
  const Deadline deadline =
      timeout ? Deadline(steady_clock::now() + *timeout) : Deadline(std::nullopt);
  for (;;) {
    const auto cr = std::find(input_.begin(), input_.end(), '\r');
    if (cr != input_.end()) {
      std::string line;
      for (auto it = input_.begin(); it != cr; ++it) {
        if (*it != '\n') line.push_back(static_cast<char>(*it));
      }
      Drop(static_cast<std::size_t>(cr - input_.begin()) + 1);
      if (line.size() > kMaxLine) line.erase(0, line.size() - kMaxLine);
      return line;
    }
    // Keep an endless line from growing without bound.
    if (input_.size() > 2 * kMaxLine) Drop(input_.size() - kMaxLine);
    if (!Fill(deadline)) return std::nullopt;
  }
}

bool SimLink::WaitForInput(std::chrono::milliseconds timeout) {
  return !input_.empty() || Fill(steady_clock::now() + timeout);
}

void SimLink::Restart() {
  const auto until =
      steady_clock::now() + kRestartTime / std::max<std::uint32_t>(options_.timeDivisor, 1);
  do {
    Drop(input_.size());
  } while (Fill(until));
  faults_.NoteRestarted();
}

void SimLink::Write(std::string_view bytes) {
  if (faults_.Silent()) return;
  if (const std::size_t noise = faults_.Noise(); noise > 0) Send(Noise(noise));
  Send(bytes);
}

std::string SimLink::Noise(std::size_t count) {
  std::string garbage(count, ' ');
  for (char& c : garbage) {
    noiseSeed_ = noiseSeed_ * 1103515245u + 12345u;
    c = kNoiseAlphabet[(noiseSeed_ >> 16) % kNoiseAlphabet.size()];
  }
  return garbage;
}

std::chrono::nanoseconds SimLink::ByteTime() const {
  termios tio{};
  if (tcgetattr(slaveFd_, &tio) != 0) return std::chrono::nanoseconds(0);
  const unsigned baud = BaudOf(cfgetospeed(&tio)).value_or(kDefaultBaud);
  const unsigned dataBits = (tio.c_cflag & CSIZE) == CS5   ? 5
                            : (tio.c_cflag & CSIZE) == CS6 ? 6
                            : (tio.c_cflag & CSIZE) == CS7 ? 7
                                                           : 8;
  const unsigned bits =
      1 + dataBits + ((tio.c_cflag & PARENB) ? 1 : 0) + ((tio.c_cflag & CSTOPB) ? 2 : 1);
  return std::chrono::nanoseconds(std::uint64_t{bits} * 1'000'000'000ull / baud);
}

void SimLink::Send(std::string_view bytes) {
  std::string garbled;
  if (const auto client = ClientRate(); client && !Heard(*client)) {
    garbled.assign(bytes);
    Garble({reinterpret_cast<std::uint8_t*>(garbled.data()), garbled.size()});
    bytes = garbled;
  }
  // With pacing each byte leaves on its own, at the time a UART would have finished it.
  const auto byteTime = options_.baudRateEmulation ? ByteTime() : std::chrono::nanoseconds(0);
  const std::size_t chunk = byteTime.count() > 0 ? 1 : bytes.size();
  auto due = steady_clock::now();
  std::size_t sent = 0;
  bool finished = false;  // the UART has finished the byte at `sent`
  while (sent < bytes.size()) {
    if (interrupted_()) throw Interrupted{};
    if (byteTime.count() > 0 && !finished) {
      due += byteTime;
      std::this_thread::sleep_until(due);
      finished = true;
    }
    const ssize_t n = ::write(masterFd_, bytes.data() + sent, std::min(chunk, bytes.size() - sent));
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      finished = false;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Nobody drains the line: wait a little for room, then drop the rest as a UART would.
    pollfd out{masterFd_, POLLOUT, 0};
    if (n < 0 && errno == EAGAIN && poll(&out, 1, 100) > 0) continue;
    return;
  }
}

}  // namespace netloom::sim
