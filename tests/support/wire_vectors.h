// Exact bytes of the module's wire forms, written out by hand from the protocol's description,
// for both the program's codecs and the virtual module's own to be tested against. Neither side's
// code made them: a misreading the two sides share shows up here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace netloom::testsupport::vectors {

using Bytes = std::vector<std::uint8_t>;

// --- Configuration transfers --------------------------------------------------------------

// The module's header before a configuration write: STX, image version, MAC address, EOT.
inline constexpr std::string_view kWriteHeaderMac = "0123456789ABCDEF";
inline const std::string kWriteHeader =
    "\x02"
    "0002"
    "0123456789ABCDEF"
    "\x04";

// Single frames: STX, length, payload, 0xFF minus the 8-bit payload sum.
struct FrameVector {
  const char* what;
  std::string text;
  Bytes payload;
  bool good;  // whether a receiver takes it
};
inline const std::vector<FrameVector> kFrames = {
    {"two bytes, sum 3",
     "\x02"
     "02"
     "0102"
     "FC",
     {0x01, 0x02},
     true},
    {"lower-case digits",
     "\x02"
     "02"
     "abcd"
     "87",
     {0xAB, 0xCD},
     true},
    {"one byte whose sum wraps",
     "\x02"
     "01"
     "FF"
     "00",
     {0xFF},
     true},
    {"checksum off by one",
     "\x02"
     "02"
     "0102"
     "FD",
     {0x01, 0x02},
     false},
};

// A whole image: zero but for these settings, then its checksum.
struct ImagePatch {
  std::size_t offset;
  Bytes bytes;
};
inline const std::vector<ImagePatch> kImagePatches = {
    {0, {0x02, 0x00}},                                       // image version "0002"
    {2, {'V', '1'}},                                         // firmware version "V1"
    {72, {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01}},  // MAC "0123456789ABCDEF"
    {84, {0x0F}},                                            // channel "0F"
    {86, {0x76, 0x98}},                                      // PAN ID "9876"
    {106,
     {0x3C, 0x4D, 0x5E, 0x6F, 0x70, 0x81, 0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09, 0x1A,
      0x2B}},                     // network key, digits in byte order
    {147, {'D', 'e', 'v', '1'}},  // device name "Dev1"
    {254, {0x51, 0xF1}},          // 0xFFFF - 0x0EAE, low byte first
};
inline constexpr std::uint16_t kImageChecksum = 0xF151;

// The texts the settings above read as, by setting number.
struct SettingText {
  int setting;
  std::string_view text;
};
inline const std::vector<SettingText> kImageTexts = {
    {0, "0002"},
    {1, "V1"},
    {10, "0123456789ABCDEF"},
    {12, "0F"},
    {14, "9876"},
    {20, "00"},
    {23, "3C4D5E6F708192A3B4C5D6E7F8091A2B"},
    {38, "Dev1"},
};

inline std::array<std::uint8_t, 256> ImageVector() {
  std::array<std::uint8_t, 256> image{};
  for (const ImagePatch& patch : kImagePatches) {
    for (std::size_t k = 0; k < patch.bytes.size(); ++k) image[patch.offset + k] = patch.bytes[k];
  }
  return image;
}

// The image above as it travels: four frames of 64 bytes, then EOT.
inline const std::string kImageFrames =
    "\x02"
    "40"
    "0200563100000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000"
    "76"
    "\x02"
    "40"
    "0000000000000000EFCDAB8967452301000000000F0076980000000000000000"
    "000000000000000000003C4D5E6F708192A3B4C5D6E7F8091A2B000000000000"
    "2A"
    "\x02"
    "40"
    "0000000000000000000000000000000000000044657631000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000"
    "AF"
    "\x02"
    "40"
    "0000000000000000000000000000000000000000000000000000000000000000"
    "00000000000000000000000000000000000000000000000000000000000051F1"
    "BD"
    "\x04";

// --- Identity -----------------------------------------------------------------------------

// Version 2, channel 0x0B, PAN ID 0x1234, coordinator, AT command mode, "Device001": LL 0x17
// (14 + 9), checksum 0xFF - (0x00 + 0x02 + 0x0B + 0x12 + 0x34 + 0 + 0 + 0x2E1) & 0xFF = 0xCB.
inline constexpr std::string_view kIdentityReply = "<1700020B12340000Device001CB>";
inline constexpr std::string_view kIdentityWrite = "ATINFOI 0002 0B 1234 0 0 Device001\r";
// A reader takes hex digits of either case.
inline constexpr std::string_view kIdentityReplyLowerCase = "<1700020b12340000Device001cb>";
// The identity a module holding the image above reports: channel 0x0F, PAN ID 0x9876, type and
// mode 0, "Dev1"; LL 0x12, checksum 0xFF - (0x02 + 0x0F + 0x98 + 0x76 + 0x10B) & 0xFF = 0x90.
inline constexpr std::string_view kImageIdentityReply = "<1200020F98760000Dev190>";
struct IdentityVector {
  int version, channel, panId, deviceType, startMode;
  std::string_view name;
};
inline constexpr IdentityVector kIdentity = {2, 0x0B, 0x1234, 0, 0, "Device001"};

// --- Firmware records and the boot loader -----------------------------------------------

// A record line of a HEX file and the frame the host sends for it: the colon, then the line's
// digit pairs as bytes.
struct RecordVector {
  const char* what;
  std::string_view line;
  Bytes frame;
  bool good;  // whether its checksum holds
  std::uint8_t type;
  std::uint16_t address;
  Bytes data;
};
inline const std::vector<RecordVector> kRecords = {
    {"data",
     ":10010000214601360121470136007EFE09D2190140",
     {':',  0x10, 0x01, 0x00, 0x00, 0x21, 0x46, 0x01, 0x36, 0x01, 0x21,
      0x47, 0x01, 0x36, 0x00, 0x7E, 0xFE, 0x09, 0xD2, 0x19, 0x01, 0x40},
     true,
     0,
     0x0100,
     {0x21, 0x46, 0x01, 0x36, 0x01, 0x21, 0x47, 0x01, 0x36, 0x00, 0x7E, 0xFE, 0x09, 0xD2, 0x19,
      0x01}},
    {"linear base 0x0800",
     ":020000040800F2",
     {':', 0x02, 0x00, 0x00, 0x04, 0x08, 0x00, 0xF2},
     true,
     4,
     0x0000,
     {0x08, 0x00}},
    {"three data bytes",
     ":0300300002337A1E",
     {':', 0x03, 0x00, 0x30, 0x00, 0x02, 0x33, 0x7A, 0x1E},
     true,
     0,
     0x0030,
     {0x02, 0x33, 0x7A}},
    {"end of file", ":00000001FF", {':', 0x00, 0x00, 0x00, 0x01, 0xFF}, true, 1, 0x0000, {}},
    {"end of file, lower case",
     ":00000001ff",
     {':', 0x00, 0x00, 0x00, 0x01, 0xFF},
     true,
     1,
     0x0000,
     {}},
    {"checksum off by one",
     ":0300300002337A1F",
     {':', 0x03, 0x00, 0x30, 0x00, 0x02, 0x33, 0x7A, 0x1F},
     false,
     0,
     0x0030,
     {0x02, 0x33, 0x7A}},
};
// The memory the good records above write, applied in order: the first data record below the
// linear base, the second above it.
inline std::map<std::uint32_t, std::uint8_t> RecordsMemory() {
  const struct {
    std::uint32_t address;
    Bytes bytes;
  } runs[] = {
      {0x00000100,
       {0x21, 0x46, 0x01, 0x36, 0x01, 0x21, 0x47, 0x01, 0x36, 0x00, 0x7E, 0xFE, 0x09, 0xD2, 0x19,
        0x01}},
      {0x08000030, {0x02, 0x33, 0x7A}},
  };
  std::map<std::uint32_t, std::uint8_t> memory;
  for (const auto& run : runs) {
    for (std::size_t k = 0; k < run.bytes.size(); ++k) {
      memory[run.address + static_cast<std::uint32_t>(k)] = run.bytes[k];
    }
  }
  return memory;
}

// The boot loader's identification: the host's request, then the module's answer, the
// identification text directly followed by STX.
inline constexpr std::uint8_t kIdentifyRequest = 0x59;
inline const std::string kIdentifyAnswer =
    "Harbinor Wireless Inc."
    "\x02";

}  // namespace netloom::testsupport::vectors
