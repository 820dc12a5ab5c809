// The module's identity on the line: the reply to "ATINFOI" and the write request
// "ATINFOI 0002 CC PPPP T M NAME".
//
// Reply: "<", LL (two hex digits: characters from the version to the end of the name), the
// version (four), channel (two), PAN ID (four), device type (two), start mode (two), the name,
// the checksum (two: 0xFF minus the 8-bit sum of the version's and PAN ID's two bytes each, the
// channel, type and mode bytes and every name character), ">". Upper-case digits, no blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace netloom::sim::wire {

// Longest device name the module keeps.
inline constexpr std::size_t kMaxNameLength = 16;

struct IdentityFields {
  std::uint32_t version = 2;
  std::uint32_t channel = 0;
  std::uint32_t panId = 0;
  std::uint32_t deviceType = 0;
  std::uint32_t startMode = 0;
  std::string name;

  bool operator==(const IdentityFields&) const = default;
};

std::string IdentityReplyText(const IdentityFields& identity);

// The identity a write request's words after "ATINFOI" ask for; nothing when the module cannot
// take it: not six words, a version other than "0002", a channel outside 0x0B..0x1A, a PAN ID
// that is not four hex digits, a device type above 2, a start mode above 4, a name that is
// empty, longer than 16 characters or holds a blank or a control character.
std::optional<IdentityFields> IdentityWriteOf(std::span<const std::string> words);

}  // namespace netloom::sim::wire
