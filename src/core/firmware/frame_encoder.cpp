#include "core/firmware/frame_encoder.h"

namespace netloom::firmware {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

FeedResult FrameEncoder::Feed(char c) {
  if (c == ':') return Append(0x3A);
  const int digit = DigitValue(c);
  if (digit < 0) return FeedResult::FormatError;
  pending_ = static_cast<std::uint8_t>(pending_ * 16 + digit);
  if (++nibbles_ < 2) return FeedResult::Accepted;
  const auto byte = pending_;
  pending_ = 0;
  nibbles_ = 0;
  return Append(byte);
}

FeedResult FrameEncoder::Append(std::uint8_t byte) {
  if (size_ == kMaxFrameBytes) return FeedResult::LengthError;
  bytes_[size_++] = byte;
  return FeedResult::Accepted;
}

void FrameEncoder::StartLine() {
  size_ = 0;
  pending_ = 0;
  nibbles_ = 0;
}

}  // namespace netloom::firmware
