// Telnet framing of a byte stream (RFC 854/855): the data bytes apart from the negotiations and
// subnegotiations woven into it, and the same the other way. Parsers only: no I/O, no time.
//
// Decoding keeps its state between calls, so a command split across reads is taken whole. IAC IAC
// is one data byte 0xFF; other two-byte commands (NOP, GA, ...) are dropped; a subnegotiation
// longer than kMaxSubnegotiation keeps its first bytes. A decoder belongs to one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace netloom::link::telnet {

inline constexpr std::uint8_t kIac = 255;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kSe = 240;

// Options this client speaks of.
inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kEcho = 1;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPortOption = 44;

inline constexpr std::size_t kMaxSubnegotiation = 64;

// One thing the peer said besides data: a negotiation (verb WILL/WONT/DO/DONT and its option),
// or a subnegotiation (verb kSb, its option and payload, IAC IAC already undone).
struct Event {
  std::uint8_t verb = 0;
  std::uint8_t option = 0;
  std::vector<std::uint8_t> payload;
};

class Decoder {
 public:
  // Appends the data bytes of `input` to `data` and what else it says to `events`.
  void Feed(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& data,
            std::vector<Event>& events);

 private:
  enum class State : std::uint8_t { Data, Iac, Verb, SubOption, Sub, SubIac };
  State state_ = State::Data;
  std::uint8_t verb_ = 0;
  Event sub_;
};

// `data` with every 0xFF doubled, appended to `out`.
void AppendEscaped(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out);
// IAC `verb` `option`.
void AppendNegotiation(std::uint8_t verb, std::uint8_t option, std::vector<std::uint8_t>& out);
// IAC SB `option` `payload` (0xFF doubled) IAC SE.
void AppendSubnegotiation(std::uint8_t option, std::span<const std::uint8_t> payload,
                          std::vector<std::uint8_t>& out);

}  // namespace netloom::link::telnet
