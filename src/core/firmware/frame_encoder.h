// Turns the characters of one firmware file line into the byte frame the boot loader receives.
//
// No I/O: the file reader feeds characters (after its text-mode translation of CR LF into LF)
// and takes the frame at each line end. A colon becomes the byte 0x3A, every pair of hex digits
// (either case) one byte; the colon does not break a pair, and a digit left over at the line end
// is dropped. Anything else is a format error; a frame that would reach 256 bytes is a length
// error. Not thread-safe; one encoder per reader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace netloom::firmware {

// A frame carries at most this many bytes, colons included.
inline constexpr std::size_t kMaxFrameBytes = 255;

enum class FeedResult {
  Accepted,     // the character became part of the frame
  FormatError,  // not a colon and not a hex digit
  LengthError,  // the frame would hold 256 bytes
};

class FrameEncoder {
 public:
  // Takes one character of the line (never the line feed).
  FeedResult Feed(char c);
  // The bytes of the line so far.
  std::span<const std::uint8_t> Frame() const { return {bytes_.data(), size_}; }
  // Starts a new line: empty frame, no pending digit.
  void StartLine();

 private:
  FeedResult Append(std::uint8_t byte);

  std::array<std::uint8_t, kMaxFrameBytes + 1> bytes_{};
  std::size_t size_ = 0;
  std::uint8_t pending_ = 0;  // the value being built from hex digits
  int nibbles_ = 0;           // digits seen since the last completed byte (0 or 1)
};

}  // namespace netloom::firmware
