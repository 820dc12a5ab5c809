#include "core/link/config/config_frames.h"

#include <cctype>
#include <numeric>

#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"

namespace netloom::link {
namespace {

bool IsHexDigit(std::uint8_t byte) {
  return std::isxdigit(byte) != 0;
}

std::uint8_t HexValue(char digit) {
  return static_cast<std::uint8_t>(std::isdigit(static_cast<unsigned char>(digit))
                                       ? digit - '0'
                                       : std::toupper(static_cast<unsigned char>(digit)) - 'A' +
                                             10);
}

std::uint8_t PairValue(const std::string& digits) {
  return static_cast<std::uint8_t>(HexValue(digits[0]) << 4 | HexValue(digits[1]));
}

}  // namespace

std::uint8_t FrameChecksum(std::span<const std::uint8_t> payload) {
  return static_cast<std::uint8_t>(0xFF -
                                   std::accumulate(payload.begin(), payload.end(), std::uint8_t{0},
                                                   [](std::uint8_t sum, std::uint8_t b) {
                                                     return static_cast<std::uint8_t>(sum + b);
                                                   }));
}

std::string HexByte(std::uint8_t byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::string EncodeFrame(std::span<const std::uint8_t> payload) {
  std::string frame(1, static_cast<char>(kStx));
  frame += HexByte(static_cast<std::uint8_t>(payload.size()));
  for (const std::uint8_t byte : payload) frame += HexByte(byte);
  return frame + HexByte(FrameChecksum(payload));
}

FeedResult ImageReceiver::Fail(std::string_view message) {
  state_ = State::Done;
  message_ = message;
  return FeedResult::Failed;
}

bool ImageReceiver::TakeDigit(std::uint8_t byte) {
  if (!IsHexDigit(byte)) return false;
  digits_ += static_cast<char>(byte);
  return true;
}

FeedResult ImageReceiver::Feed(std::uint8_t byte) {
  switch (state_) {
    case State::Waiting:
      if (byte == kStx) {
        state_ = State::Length;
        digits_.clear();
      } else if (byte == kEot) {
        state_ = State::Done;
        return FeedResult::Ended;
      } else if (++noise_ > kMaxNoiseBytes) {
        return Fail(kConfigFormatError);
      }
      return FeedResult::More;
    case State::Length:
      if (!TakeDigit(byte)) return Fail(kConfigFormatError);
      if (digits_.size() < 2) return FeedResult::More;
      length_ = PairValue(digits_);
      if (length_ == 0 || length_ > kMaxFramePayload || fill_ + length_ > image_.size()) {
        return Fail(kDataLengthError);
      }
      digits_.clear();
      taken_ = 0;
      sum_ = 0;
      state_ = State::Payload;
      return FeedResult::More;
    case State::Payload:
      if (!TakeDigit(byte)) return Fail(kConfigFormatError);
      if (digits_.size() < 2) return FeedResult::More;
      image_[fill_ + taken_] = PairValue(digits_);
      sum_ = static_cast<std::uint8_t>(sum_ + image_[fill_ + taken_]);
      digits_.clear();
      if (++taken_ == length_) state_ = State::Checksum;
      return FeedResult::More;
    case State::Checksum:
      if (!TakeDigit(byte)) return Fail(kConfigFormatError);
      if (digits_.size() < 2) return FeedResult::More;
      if (PairValue(digits_) != static_cast<std::uint8_t>(0xFF - sum_)) {
        return Fail(kFrameChecksumError);
      }
      fill_ += length_;
      state_ = State::Waiting;
      return FeedResult::Accepted;
    case State::Done:
      break;
  }
  return FeedResult::Failed;
}

FeedResult HeaderReceiver::Fail(std::string message) {
  state_ = State::Done;
  message_ = std::move(message);
  return FeedResult::Failed;
}

FeedResult HeaderReceiver::Feed(std::uint8_t byte) {
  if (state_ == State::Done) return FeedResult::Failed;
  if (byte == kEot) {
    if (state_ != State::Address || addressLength_ != kHeaderMacLength) {
      return Fail(std::string(kMacAddressError));
    }
    state_ = State::Done;
    return FeedResult::Ended;
  }
  switch (state_) {
    case State::Waiting:
      if (byte == kStx) {
        state_ = State::Version;
      } else if (++noise_ > kMaxNoiseBytes) {
        return Fail(std::string(kConfigFormatError));
      }
      break;
    case State::Version:
      version_ += static_cast<char>(std::toupper(byte));
      if (version_.size() == kImageVersion.size()) {
        if (version_ != kImageVersion) return Fail(WriteVersionError());
        state_ = State::Address;
      }
      break;
    case State::Address:
      if (!IsHexDigit(byte) || ++addressLength_ > kHeaderMacLength) {
        return Fail(std::string(kConfigFormatError));
      }
      break;
    case State::Done:
      break;
  }
  return FeedResult::More;
}

}  // namespace netloom::link
