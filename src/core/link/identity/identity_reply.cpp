#include "core/link/identity/identity_reply.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/catalogue/digits.h"
#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"

namespace netloom::link {
namespace {

constexpr int kMaxOpeningBytes = 20;
constexpr std::int32_t kMaxLength = 40;
// Characters from the version to the start of the name.
constexpr std::int32_t kFieldsLength = 14;
constexpr std::int32_t kVersion = 2;
constexpr std::int32_t kLowestChannel = 0x0B;
constexpr std::int32_t kHighestChannel = 0x1A;
constexpr std::int32_t kHighestType = 2;
constexpr std::int32_t kHighestMode = 4;

constexpr std::string_view kNameTooLong = "Please Less than 16 word";
constexpr std::string_view kNameEmpty = "Please setting DeviceName";
constexpr std::string_view kNameWithSpace = "Don't input space to DeviceName";

}  // namespace

int IdentityReplyParser::DigitsOf(Field field) {
  return field == Field::Version || field == Field::PanId ? 4 : 2;
}

IdentityState IdentityReplyParser::Fail(std::string_view message) {
  state_ = IdentityState::Failed;
  message_ = message;
  return state_;
}

void IdentityReplyParser::Add(std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) sum_ = static_cast<std::uint8_t>(sum_ + (value >> (8 * k)));
}

IdentityState IdentityReplyParser::EndField(std::uint32_t value) {
  const auto number = static_cast<std::int32_t>(value);
  switch (field_) {
    case Field::Length:
      if (number > kMaxLength) return Fail(kLengthError);
      length_ = number;
      field_ = Field::Version;
      break;
    case Field::Version:
      if (number != kVersion) return Fail(WriteVersionError());
      identity_.version = number;
      Add(value, 2);
      field_ = Field::Channel;
      break;
    case Field::Channel:
      if (number < kLowestChannel || number > kHighestChannel) return Fail(kChannelError);
      identity_.channel = number;
      Add(value, 1);
      field_ = Field::PanId;
      break;
    case Field::PanId:
      identity_.panId = number;
      Add(value, 2);
      field_ = Field::Type;
      break;
    case Field::Type:
      if (number > kHighestType) return Fail(kDeviceTypeError);
      identity_.deviceType = number;
      Add(value, 1);
      field_ = Field::Mode;
      break;
    case Field::Mode:
      if (number > kHighestMode) return Fail(kDeviceModeError);
      identity_.startMode = number;
      Add(value, 1);
      // The name fills the rest of the length; it must hold 1 to 16 characters.
      if (length_ - kFieldsLength < 1) return Fail(kDeviceNameError);
      field_ = Field::Name;
      break;
    case Field::Checksum:
      if (value != static_cast<std::uint8_t>(0xFF - sum_)) return Fail(kIdentityChecksumError);
      field_ = Field::Close;
      break;
    default:
      break;
  }
  return state_;
}

IdentityState IdentityReplyParser::Feed(std::uint8_t byte) {
  if (state_ != IdentityState::Reading) return state_;
  // Blanks between fields are skipped; inside the name (its length is known) they belong to it.
  if (byte == ' ' && (field_ != Field::Name || name_.empty())) return state_;
  switch (field_) {
    case Field::Open:
      if (++opening_ > kMaxOpeningBytes) return Fail(kIdentityFormatError);
      if (byte == '<') field_ = Field::Length;
      return state_;
    case Field::Name:
      if (name_.size() == kMaxDeviceNameLength) return Fail(kDeviceNameError);
      name_ += static_cast<char>(byte);
      sum_ = static_cast<std::uint8_t>(sum_ + byte);
      if (++counted_ == length_) {
        identity_.deviceName = name_;
        field_ = Field::Checksum;
      }
      return state_;
    case Field::Close:
      if (byte != '>') return Fail(kIdentityCloseError);
      state_ = IdentityState::Complete;
      return state_;
    default:
      break;
  }
  if (!std::isxdigit(byte)) return Fail(kIdentityFormatError);
  digits_ += static_cast<char>(byte);
  if (field_ != Field::Length && field_ != Field::Checksum) ++counted_;
  const int wanted = DigitsOf(field_);
  if (static_cast<int>(digits_.size()) < wanted) return state_;
  const auto value = catalogue::ParseHexDigits(digits_, wanted);
  digits_.clear();
  return EndField(value.value_or(0));
}

std::string FormatIdentityWrite(const ModuleIdentity& requested) {
  char numbers[40];
  std::snprintf(numbers, sizeof numbers, " %02X %04X %d %d ", requested.channel, requested.panId,
                requested.deviceType, requested.startMode);
  return "ATINFOI " + std::string(kImageVersion) + numbers + requested.deviceName + "\r";
}

std::string FormatIdentityReply(const ModuleIdentity& identity) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%04X%02X%04X%02X%02X", identity.version & 0xFFFF,
                identity.channel & 0xFF, identity.panId & 0xFFFF, identity.deviceType & 0xFF,
                identity.startMode & 0xFF);
  const std::string fields = numbers + identity.deviceName;
  std::uint8_t sum = 0;
  for (const std::int32_t value :
       {identity.version >> 8, identity.version, identity.channel, identity.panId >> 8,
        identity.panId, identity.deviceType, identity.startMode}) {
    sum = static_cast<std::uint8_t>(sum + value);
  }
  for (const char c : identity.deviceName) sum = static_cast<std::uint8_t>(sum + c);
  // Appended piece by piece: GCC 12 at -O3 reports a false overlap (-Wrestrict) in a chain of
  // operator+ that starts from a string literal.
  std::string reply(1, '<');
  reply += HexByte(static_cast<std::uint8_t>(fields.size()));
  reply += fields;
  reply += HexByte(static_cast<std::uint8_t>(0xFF - sum));
  reply += '>';
  return reply;
}

std::optional<std::string> CheckRequestedIdentity(const ModuleIdentity& requested) {
  if (requested.channel < kLowestChannel || requested.channel > kHighestChannel) {
    return "Channel " + std::to_string(requested.channel) + " is outside 0B to 1A";
  }
  if (requested.panId < 0 || requested.panId > 0xFFFF) {
    return "PAN ID " + std::to_string(requested.panId) + " is outside 0000 to FFFF";
  }
  if (requested.deviceType < 0 || requested.deviceType > kHighestType) {
    return "Device type " + std::to_string(requested.deviceType) + " is not 0, 1 or 2";
  }
  if (requested.startMode < 0 || requested.startMode > kHighestMode) {
    return "Start mode " + std::to_string(requested.startMode) + " is outside 0 to 4";
  }
  return CheckDeviceName(requested.deviceName);
}

std::optional<std::string> CheckDeviceName(std::string_view name) {
  if (name.size() > kMaxDeviceNameLength) return std::string(kNameTooLong);
  if (name.empty()) return std::string(kNameEmpty);
  if (name.find(' ') != std::string_view::npos) return std::string(kNameWithSpace);
  const bool control = std::any_of(name.begin(), name.end(), [](char c) {
    return std::iscntrl(static_cast<unsigned char>(c)) != 0;
  });
  if (control) return "Device name holds a control character";
  return std::nullopt;
}

}  // namespace netloom::link
