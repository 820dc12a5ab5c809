#include "core/sim/wire/identity_text.h"

#include <algorithm>
#include <charconv>

#include "core/sim/wire/hex_text.h"
#include "core/sim/wire/image_layout.h"

namespace netloom::sim::wire {
namespace {

constexpr std::size_t kWriteWords = 6;
// Characters of the reply's fixed fields from the version to the start mode.
constexpr std::size_t kFixedLength = 4 + 2 + 4 + 2 + 2;
constexpr std::uint32_t kFirstChannel = 0x0B;
constexpr std::uint32_t kLastChannel = 0x1A;
constexpr std::uint32_t kLastDeviceType = 2;
constexpr std::uint32_t kLastStartMode = 4;

// The sum of a two-byte field's bytes.
unsigned BytesSum(std::uint32_t value) {
  return (value >> 8 & 0xFF) + (value & 0xFF);
}

std::uint8_t ReplySum(const IdentityFields& identity) {
  unsigned sum = BytesSum(identity.version) + identity.channel + BytesSum(identity.panId) +
                 identity.deviceType + identity.startMode;
  for (const char c : identity.name) sum += static_cast<unsigned char>(c);
  return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

std::optional<std::uint32_t> Decimal(const std::string& word) {
  std::uint32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  if (word.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// A hex number of exactly `digits` digits.
std::optional<std::uint32_t> HexField(std::string_view word, std::size_t digits) {
  if (word.size() != digits) return std::nullopt;
  return HexNumber(word);
}

bool NameFits(const std::string& name) {
  return !name.empty() && name.size() <= kMaxNameLength &&
         std::all_of(name.begin(), name.end(), [](char c) {
           const auto code = static_cast<unsigned char>(c);
           return code > ' ' && code != 0x7F;
         });
}

}  // namespace

std::string IdentityReplyText(const IdentityFields& identity) {
  // Appended piece by piece: the optimiser mistakes a "<" + ... chain for an overlapping copy.
  std::string reply = "<";
  reply += HexDigits(static_cast<std::uint32_t>(kFixedLength + identity.name.size()), 2);
  reply += HexDigits(identity.version, 4);
  reply += HexDigits(identity.channel, 2);
  reply += HexDigits(identity.panId, 4);
  reply += HexDigits(identity.deviceType, 2);
  reply += HexDigits(identity.startMode, 2);
  reply += identity.name;
  reply += HexDigits(ReplySum(identity), 2);
  reply += ">";
  return reply;
}

std::optional<IdentityFields> IdentityWriteOf(std::span<const std::string> words) {
  if (words.size() != kWriteWords || words[0] != kFormatVersionText) return std::nullopt;
  const auto channel = HexField(words[1], 2);
  const auto panId = HexField(words[2], 4);
  const auto type = Decimal(words[3]);
  const auto mode = Decimal(words[4]);
  if (!channel || *channel < kFirstChannel || *channel > kLastChannel || !panId || !type ||
      *type > kLastDeviceType || !mode || *mode > kLastStartMode || !NameFits(words[5])) {
    return std::nullopt;
  }
  return IdentityFields{2, *channel, *panId, *type, *mode, words[5]};
}

}  // namespace netloom::sim::wire
