#include "core/sim/wire/hex_text.h"

namespace netloom::sim::wire {

std::string HexDigits(std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (auto place = text.rbegin(); place != text.rend(); ++place, value >>= 4) {
    *place = kDigits[value & 0xF];
  }
  return text;
}

std::optional<std::uint8_t> DigitValue(char digit) {
  if (digit >= '0' && digit <= '9') return static_cast<std::uint8_t>(digit - '0');
  if (digit >= 'A' && digit <= 'F') return static_cast<std::uint8_t>(digit - 'A' + 10);
  if (digit >= 'a' && digit <= 'f') return static_cast<std::uint8_t>(digit - 'a' + 10);
  return std::nullopt;
}

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char digit : digits) {
    const auto nibble = DigitValue(digit);
    if (!nibble) return std::nullopt;
    value = value << 4 | *nibble;
  }
  return value;
}

}  // namespace netloom::sim::wire
