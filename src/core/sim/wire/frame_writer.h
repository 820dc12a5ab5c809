// What the module writes during its configuration transfers: the image in hex-text frames
// (STX, payload length as two hex digits, each payload byte as two hex digits, checksum as two
// hex digits: 0xFF minus the 8-bit sum of the payload), and the header that opens a write.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace netloom::sim::wire {

// Payload bytes of one frame at most: the image travels in four full frames.
inline constexpr std::size_t kFramePayload = 64;

// 0xFF minus the 8-bit sum of the payload.
std::uint8_t FrameSum(std::span<const std::uint8_t> payload);

// The frame carrying `payload`; with `spoiled`, its checksum is off by one.
std::string FrameText(std::span<const std::uint8_t> payload, bool spoiled = false);

// The header the module answers a write request with: STX, the image format version, its MAC
// address (16 characters), EOT.
std::string WriteHeaderText(std::string_view mac);

}  // namespace netloom::sim::wire
