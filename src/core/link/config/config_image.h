// The module's 256-byte configuration image and the codec between it and ConfigValueTable.
//
// Layout: the 51 configuration items one after the other in catalogue order, without gaps
// (bytes 0..253), then the image checksum (254 low byte, 255 high byte). Each item's bytes follow
// from its width W and encoding (catalogue/config_items.h):
//   Number    W / 2 bytes, the W hex digits as an unsigned number, least significant byte first
//             ("9876" -> 76 98)
//   Key       W / 2 bytes, the digits in text order ("3C4D..." -> 3C 4D ...)
//   Text      W bytes, the characters then zero bytes; a text of W characters has no terminator
//   Reserved  W zero bytes on the way out; read back like a text
// Image checksum: 0xFFFF minus the sum of bytes 0..253 (never wraps). An image is accepted when
// that sum plus the checksum is exactly 0xFFFF.
//
// Pure functions over values; the tables are thread-safe on their own (value_tables.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/catalogue/value_tables.h"

namespace netloom::link {

// The image as the module sends and takes it.
inline constexpr std::size_t kConfigImageSize = 256;
using ConfigImage = std::array<std::uint8_t, kConfigImageSize>;
// Offset of the Channel byte: 0 marks an image that carries no configuration.
inline constexpr std::size_t kImageChannelOffset = 84;
// Bytes 0..253 hold the items; the checksum follows.
inline constexpr std::size_t kImageChecksumOffset = 254;
// The only image format this program reads and writes (item 0's default).
inline constexpr std::string_view kImageVersion = "0002";

// Where an item lives in the image.
struct ItemPlace {
  std::size_t offset = 0;
  std::size_t size = 0;
};
// The place of item 0..50 (out of range: an empty place at 0).
ItemPlace ItemPlaceOf(int item);

// 0xFFFF minus the sum of bytes 0..253.
std::uint16_t ImageChecksum(const ConfigImage& image);
// Stores ImageChecksum at 254..255.
void SealImage(ConfigImage& image);
// Whether the sum of bytes 0..253 plus the stored checksum is exactly 0xFFFF.
bool ImageChecksumOk(const ConfigImage& image);

struct EncodeResult {
  ConfigImage image{};  // sealed; meaningful only when `error` is empty
  // Why no image can be made: the first value text that cannot be encoded without changing its
  // value, as "<name>: <reason>" (a number item whose text is not exactly W hex digits, a text
  // longer than W, a key with a character that is no hex digit). Empty on success.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Builds the image from the table's values, checksum included. ReserveData goes out as zero
// bytes and its value text is emptied (the only change to the table). A key shorter than 32
// digits is completed with zero digits. Nothing is changed when the result has an error.
EncodeResult EncodeImage(catalogue::ConfigValueTable& table);

enum class DecodeResult {
  Decoded,          // every item was replaced from the image
  DefaultsLoaded,   // the Channel byte was 0: the image carries no configuration
  VersionMismatch,  // item 0 is not "0002": only item 0 was replaced
};

// Fills the table from `image`. Channel byte 0: LoadDefaults. Otherwise item 0 first; a version
// other than "0002" (any case) stops there with the table's other items unchanged. Else all 51
// items are replaced at once and NetworkKey's editable flag follows SecurityEnable. The image
// checksum is not looked at (the transfer checks it). The caller announces every result but
// VersionMismatch as changed values.
DecodeResult DecodeImage(const ConfigImage& image, catalogue::ConfigValueTable& table);

}  // namespace netloom::link
