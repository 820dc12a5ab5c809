// The serving thread's side of the line: what every exchange handler reads and writes through.
//
// Handlers are plain sequential code: they read bytes or lines with a time-out and write
// replies, exactly as a module's firmware would. A SimLink belongs to the serving thread.
//
// Interruption: when the module is stopped or unplugged, every blocking call throws
// `Interrupted`. The serving loop catches it; handlers let it pass (they need no checks of
// their own and must not swallow it).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/sim/sim_faults.h"

namespace netloom::sim {

struct Interrupted {};

class SimLink {
 public:
  struct Options {
    bool baudRateEmulation = false;  // pace each byte sent and received at the line's baud rate
    std::uint32_t timeDivisor = 1;   // the module's own waits pass this many times faster
  };

  // `interrupted` is polled whenever the link wakes (a byte, the wake pipe, a time-out).
  SimLink(SimFaults& faults, int wakeFd, std::function<bool()> interrupted, Options options);

  // Serves a (new) pseudo-terminal: its master and the module's own slave descriptor (for the
  // line settings). Drops whatever was received and not yet taken.
  void Attach(int masterFd, int slaveFd);

  // The rate the module's line runs at, like a UART's: bytes a client sends at another rate
  // reach the module as garbage, and what the module sends reaches such a client as garbage.
  // `returnRate`, when given, is heard as well (the boot loader hears the host's return to
  // command mode at the command-mode rate); TookAtReturnRate tells such bytes apart.
  void SetLineRate(std::uint32_t rate, std::optional<std::uint32_t> returnRate = std::nullopt);
  // True when the byte last taken (ReadByte) came at the return rate.
  bool TookAtReturnRate() const { return tookAtReturnRate_; }

  // The next byte, or nothing when none came within `timeout`.
  std::optional<std::uint8_t> ReadByte(std::chrono::milliseconds timeout);
  // The same without taking it: it stays for the next read.
  std::optional<std::uint8_t> PeekByte(std::chrono::milliseconds timeout);
  // The next line: the bytes up to CR (CR not included, LF dropped), or nothing when no CR came
  // within `timeout` (the bytes stay for the next read). No time-out: waits until a line comes.
  // Lines longer than kMaxLine keep their last kMaxLine bytes.
  std::optional<std::string> ReadLine(std::optional<std::chrono::milliseconds> timeout);
  // True when a byte is (or within `timeout` becomes) available; takes nothing.
  bool WaitForInput(std::chrono::milliseconds timeout);

  // The module restarts: for its restart time it answers nothing and whatever is on the line,
  // or comes meanwhile, is lost.
  void Restart();

  // Sends bytes, after the configured noise; nothing while the module is silent.
  void Write(std::string_view bytes);
  // `count` bytes of line garbage: characters that can never be taken for part of a reply (no
  // letters, digits, blanks, angle brackets or control characters the protocols use).
  std::string Noise(std::size_t count);

  static constexpr std::size_t kMaxLine = 1024;
  // How long a restart takes (real time divided by the time divisor).
  static constexpr std::chrono::milliseconds kRestartTime{3000};

 private:
  using Deadline = std::optional<std::chrono::steady_clock::time_point>;
  // Waits for input until `deadline` (none: no limit); false when the time ran out.
  bool Fill(Deadline deadline);
  void Send(std::string_view bytes);
  std::chrono::nanoseconds ByteTime() const;
  // True when the module's line takes bytes sent at `rate` (and its answers reach them).
  bool Heard(std::uint32_t rate) const;
  // The rate the client set on the line; nothing when it cannot be read.
  std::optional<std::uint32_t> ClientRate() const;
  // Line garbage of a rate mismatch in place of `bytes`: bytes with the top bit set, which no
  // protocol here uses.
  void Garble(std::span<std::uint8_t> bytes);
  // Takes `count` bytes from the front of the input.
  void Drop(std::size_t count);

  SimFaults& faults_;
  int wakeFd_;
  std::function<bool()> interrupted_;
  Options options_;
  int masterFd_ = -1;
  int slaveFd_ = -1;
  std::deque<std::uint8_t> input_;
  std::deque<bool> atReturnRate_;  // per byte of input_
  std::uint32_t lineRate_ = 9600;
  std::optional<std::uint32_t> returnRate_;
  bool tookAtReturnRate_ = false;
  std::uint32_t garbleSeed_ = 0x9E3779B9;
  std::uint32_t noiseSeed_ = 0x2545F491;
  std::chrono::steady_clock::time_point receivedUntil_{};  // when the last byte taken arrived
};

}  // namespace netloom::sim
