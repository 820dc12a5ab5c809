// The wire form of the configuration image, both directions, and the receivers that parse what
// the module sends. They do no I/O: the transfer feeds them one byte at a time.
//
// Frame: STX, the payload length as two hex digits, each payload byte as two hex digits, the
// frame checksum as two hex digits (0xFF minus the 8-bit sum of the payload). Senders write
// upper-case digits; receivers take either case. EOT follows the last frame; the receiver
// answers ACK per accepted frame.
//
// The write's header from the module: STX, the image version as four characters, the module's
// MAC address as 16 characters, EOT.
//
// Thread safety: none needed; a receiver belongs to the one transfer that feeds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/link/config/config_image.h"

namespace netloom::link {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kEsc = 0x1B;

// Payload of one frame at most; the image goes out in four full frames.
inline constexpr std::size_t kMaxFramePayload = 64;
// Bytes other than frames that a receiver tolerates before it gives up on the line.
inline constexpr int kMaxNoiseBytes = 20;
// Characters of the MAC address in the write's header.
inline constexpr std::size_t kHeaderMacLength = 16;

// 0xFF minus the 8-bit sum of the payload.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> payload);
// Two upper-case hex digits.
std::string HexByte(std::uint8_t byte);
// A whole frame as a sender writes it (at most kMaxFramePayload bytes are meant to go in one).
std::string EncodeFrame(std::span<const std::uint8_t> payload);

// What a receiver makes of the byte it was fed.
enum class FeedResult {
  More,      // feed the next byte
  Accepted,  // ImageReceiver: a frame was accepted; answer ACK
  Ended,     // ImageReceiver: EOT; HeaderReceiver: a complete header
  Failed,    // the transfer ends with Message()
};

// The read side of ATCFGREAD: frames appended to an image buffer until EOT.
// Ends with kConfigFormatError on the 21st noise byte before a frame (the count is not reset
// between frames) and on a character that is no hex digit where digits must come;
// kDataLengthError for a length of 0, above 64, or beyond the 256 bytes of the image (so a
// module that sends more than one image can never overrun it); kFrameChecksumError for a bad
// frame checksum (the frame's bytes are then in the buffer, which is never used).
class ImageReceiver {
 public:
  FeedResult Feed(std::uint8_t byte);
  std::string_view Message() const { return message_; }
  // The bytes received so far; the rest zero.
  const ConfigImage& Image() const { return image_; }

 private:
  enum class State { Waiting, Length, Payload, Checksum, Done };
  FeedResult Fail(std::string_view message);
  // Collects two hex digits; false when `byte` is none.
  bool TakeDigit(std::uint8_t byte);

  State state_ = State::Waiting;
  int noise_ = 0;
  std::string digits_;  // of the pair being collected
  std::size_t length_ = 0;
  std::size_t taken_ = 0;  // payload bytes of the current frame
  std::uint8_t sum_ = 0;
  std::size_t fill_ = 0;
  ConfigImage image_{};
  std::string_view message_;
};

// The module's header before ATCFGWRITE's frames.
// Ends with kConfigFormatError on the 21st noise byte before STX or a 17th address character;
// the write's version message when the version is not "0002" (any case); kMacAddressError for
// EOT with other than 16 address characters (EOT before STX included).
class HeaderReceiver {
 public:
  FeedResult Feed(std::uint8_t byte);
  // The failure's text.
  const std::string& Message() const { return message_; }

 private:
  enum class State { Waiting, Version, Address, Done };
  FeedResult Fail(std::string message);

  State state_ = State::Waiting;
  int noise_ = 0;
  std::string version_;
  std::size_t addressLength_ = 0;
  std::string message_;
};

}  // namespace netloom::link
