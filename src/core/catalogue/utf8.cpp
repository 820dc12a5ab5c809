#include "core/catalogue/utf8.h"

namespace netloom::catalogue {

std::optional<std::pair<std::uint32_t, std::size_t>> DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  std::uint32_t point = 0;
  if (lead < 0x80) return std::pair{std::uint32_t{lead}, std::size_t{1}};
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    point = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    point = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    point = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  if (text.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (next & 0x3Fu);
  }
  static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || point > 0x10FFFF) return std::nullopt;  // overlong, too big
  if (point >= 0xD800 && point < 0xE000) return std::nullopt;              // a surrogate
  return std::pair{point, length};
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const auto decoded = DecodeUtf8(text);
    if (!decoded) return false;
    text.remove_prefix(decoded->second);
  }
  return true;
}

std::optional<std::string> Latin1FromUtf8(std::string_view text) {
  std::string bytes;
  while (!text.empty()) {
    const auto decoded = DecodeUtf8(text);
    if (!decoded || decoded->first > 0xFF) return std::nullopt;
    bytes += static_cast<char>(decoded->first);
    text.remove_prefix(decoded->second);
  }
  return bytes;
}

}  // namespace netloom::catalogue
