// Hex digits as the module writes them (upper case) and reads them (either case).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace netloom::sim::wire {

// `value` as `digits` upper-case hex digits (the low digits; leading zeros kept).
std::string HexDigits(std::uint32_t value, int digits);

// The value of one hex digit of either case, or nothing.
std::optional<std::uint8_t> DigitValue(char digit);

// The number `digits` spell (hex, either case, at most eight), or nothing for an empty text,
// a longer one or one with a character that is no hex digit.
std::optional<std::uint32_t> HexNumber(std::string_view digits);

}  // namespace netloom::sim::wire
