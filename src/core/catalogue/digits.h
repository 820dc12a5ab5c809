// Reading fixed-length digit texts, as the value tables hold numbers.
//
// Pure functions; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace netloom::catalogue {

// The messages a failed reading gives the user.
inline constexpr std::string_view kHexDigitMessage = "Please input 0 to 9 or A to F (a to f)";
inline constexpr std::string_view kDecimalDigitMessage = "Please input 0 to 9";

// Reads exactly `count` hex digits (either case) from the start of `text`, most significant
// first; characters after them are ignored. nullopt (kHexDigitMessage) when one of them is no
// hex digit, when the text is shorter, or when `count` is outside 1..8.
std::optional<std::uint32_t> ParseHexDigits(std::string_view text, int count);

// The same for `count` decimal digits (kDecimalDigitMessage); `count` 1..9.
std::optional<std::uint32_t> ParseDecimalDigits(std::string_view text, int count);

}  // namespace netloom::catalogue
