#include "core/catalogue/digits.h"

namespace netloom::catalogue {
namespace {

std::optional<std::uint32_t> ParseDigits(std::string_view text, int count, int maxCount,
                                         std::uint32_t base) {
  if (count < 1 || count > maxCount || text.size() < static_cast<std::size_t>(count)) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (char c : text.substr(0, static_cast<std::size_t>(count))) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
  }
  return value;
}

}  // namespace

std::optional<std::uint32_t> ParseHexDigits(std::string_view text, int count) {
  return ParseDigits(text, count, 8, 16);
}

std::optional<std::uint32_t> ParseDecimalDigits(std::string_view text, int count) {
  return ParseDigits(text, count, 9, 10);
}

}  // namespace netloom::catalogue
