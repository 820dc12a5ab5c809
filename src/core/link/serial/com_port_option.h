// RFC 2217 COM-PORT-OPTION: the requests that set a remote serial line and the server's answers
// that say what it took. Encoding and decoding only: no I/O.
//
// A setting request carries the wanted value; the server answers with the value it now holds
// (command + 100), which is how a refusal shows: another value, or no answer at all.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/link/serial/uart_settings.h"

namespace netloom::link::rfc2217 {

enum Command : std::uint8_t {
  kSetBaudRate = 1,
  kSetDataSize = 2,
  kSetParity = 3,
  kSetStopSize = 4,
  kSetControl = 5,
  kNotifyLineState = 6,
  kNotifyModemState = 7,
  kSetLineStateMask = 10,
  kSetModemStateMask = 11,
  kPurgeData = 12,
};
// A server's answer to command c is c + kServerOffset.
inline constexpr std::uint8_t kServerOffset = 100;

// Values of SET-CONTROL besides the flow-control codes (1 none, 2 Xon/Xoff, 3 hardware).
inline constexpr std::uint8_t kDtrOn = 8;
inline constexpr std::uint8_t kRtsOn = 11;
// PURGE-DATA: both the server's receive and transmit buffers.
inline constexpr std::uint8_t kPurgeBoth = 3;
// Modem-state bits of NOTIFY-MODEMSTATE.
inline constexpr std::uint8_t kCarrierDetect = 0x80;
inline constexpr std::uint8_t kRingIndicator = 0x40;
inline constexpr std::uint8_t kDataSetReady = 0x20;
inline constexpr std::uint8_t kClearToSend = 0x10;

// The line settings in the option's own codes (0 stands for "not known").
struct LineValues {
  std::uint32_t baudRate = 0;
  std::uint8_t dataSize = 0;
  std::uint8_t parity = 0;    // 1 none, 2 odd, 3 even, 4 mark, 5 space
  std::uint8_t stopSize = 0;  // 1 one, 2 two, 3 one and a half
  std::uint8_t control = 0;   // flow control: 1 none, 2 Xon/Xoff, 3 hardware
  bool operator==(const LineValues&) const = default;
};

// `settings` in the option's codes.
LineValues ValuesOf(const UartSettings& settings);

// One request: a command and its value bytes (the baud rate big-endian in four).
struct Request {
  std::uint8_t command = 0;
  std::vector<std::uint8_t> value;
};

// The five requests that set the line to `values`, in the order the answers are awaited; a
// value of 0 asks for the present one.
std::vector<Request> LineRequests(const LineValues& values);

// Takes a server answer (the payload of a COM-PORT-OPTION subnegotiation) into `held` when it
// is one of the five line settings; returns its command (without the offset), or nothing for
// an answer that is no line setting or is malformed.
std::optional<std::uint8_t> TakeLineAnswer(std::span<const std::uint8_t> payload, LineValues& held);

}  // namespace netloom::link::rfc2217
