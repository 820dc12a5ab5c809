// The module's 256-byte configuration image: where each of its 51 settings lives, in which
// form, and the checksum over the settings.
//
// Forms: a number is stored least significant byte first; the network key keeps its digits'
// order; a text is its characters then zero bytes (no terminator when it fills the field); the
// reserved block is zero. Bytes 254 and 255 hold 0xFFFF minus the sum of bytes 0..253, low byte
// first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace netloom::sim::wire {

inline constexpr std::size_t kImageSize = 256;
using ImageBytes = std::array<std::uint8_t, kImageSize>;
inline constexpr std::size_t kSettingsCount = 51;
inline constexpr std::size_t kImageSumOffset = 254;

enum class FieldForm { Number, Key, Text, Reserved };

struct ImageField {
  std::size_t offset;
  std::size_t size;
  FieldForm form;
};

// Settings the module itself looks at, by their number.
inline constexpr int kFormatVersionField = 0;
inline constexpr int kBaudrateField = 5;
inline constexpr int kMacField = 10;
inline constexpr int kChannelField = 12;
inline constexpr int kPanIdField = 14;
inline constexpr int kShortAddressField = 16;
inline constexpr int kDeviceTypeField = 20;
inline constexpr int kParentField = 22;
inline constexpr int kConsoleModeField = 37;
inline constexpr int kDeviceNameField = 38;

// The image's format version the module keeps and accepts, as it travels in text.
inline constexpr std::string_view kFormatVersionText = "0002";

// Setting 0..50.
const ImageField& FieldOf(int setting);

// 0xFFFF minus the sum of bytes 0..253.
std::uint16_t ImageSum(const ImageBytes& image);
// Stores ImageSum at 254 (low byte) and 255.
void SealImage(ImageBytes& image);
// Whether the settings' sum plus the stored checksum is exactly 0xFFFF.
bool ImageSumHolds(const ImageBytes& image);

}  // namespace netloom::sim::wire
