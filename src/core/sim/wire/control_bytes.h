// The control bytes the module puts on the line and takes from it around its framed transfers
// (configuration image) and in its boot loader.
#pragma once

#include <cstdint>

namespace netloom::sim::wire {

inline constexpr std::uint8_t kStx = 0x02;  // a frame starts; the boot loader wants a record
inline constexpr std::uint8_t kEot = 0x04;  // no more frames; a refused identity write
inline constexpr std::uint8_t kAck = 0x06;  // taken
inline constexpr std::uint8_t kNak = 0x15;  // refused for its checksum
inline constexpr std::uint8_t kEsc = 0x1B;  // a configuration frame the module could not take

}  // namespace netloom::sim::wire
