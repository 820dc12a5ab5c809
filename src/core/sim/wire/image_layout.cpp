#include "core/sim/wire/image_layout.h"

#include <numeric>

namespace netloom::sim::wire {
namespace {

using enum FieldForm;

// The module's memory map of its settings, in setting order.
constexpr std::array<ImageField, kSettingsCount> kFields{{
    {0, 2, Number},    // image format version
    {2, 16, Text},     // firmware version
    {18, 32, Text},    // company
    {50, 16, Text},    // model
    {66, 1, Number},   // MCU clock
    {67, 1, Number},   // line rate
    {68, 1, Number},   // data bits
    {69, 1, Number},   // parity
    {70, 1, Number},   // stop bits
    {71, 1, Number},   // flow control
    {72, 8, Number},   // MAC address
    {80, 4, Number},   // channel mask
    {84, 1, Number},   // channel; 0: no configuration
    {85, 1, Number},   // transmit power
    {86, 2, Number},   // PAN ID
    {88, 8, Number},   // extended PAN ID
    {96, 2, Number},   // own short address
    {98, 2, Number},   // destination address
    {100, 1, Number},  // beacon order
    {101, 1, Number},  // superframe order
    {102, 1, Number},  // device type
    {103, 1, Number},  // permit join
    {104, 2, Number},  // parent address
    {106, 16, Key},    // network key
    {122, 1, Number},  // routing type
    {123, 1, Number},  // max children
    {124, 1, Number},  // max routers
    {125, 1, Number},  // max depth
    {126, 1, Number},  // repair threshold
    {127, 1, Number},  // security
    {128, 2, Number},  // table expire time
    {130, 4, Number},  // send interval
    {134, 4, Number},  // sync interval
    {138, 4, Number},  // star mode interval
    {142, 1, Number},  // ED duration
    {143, 1, Number},  // endpoint
    {144, 2, Number},  // group ID
    {146, 1, Number},  // console mode
    {147, 16, Text},   // device name
    {163, 1, Number},  // reserved byte
    {164, 2, Number},  // device ID
    {166, 1, Number},  // sleep mode
    {167, 1, Number},  // constant period
    {168, 1, Number},  // alarm minute
    {169, 1, Number},  // alarm hour
    {170, 1, Number},  // alarm weekdays
    {171, 1, Number},  // upgrade
    {172, 1, Number},  // circuit type
    {173, 1, Number},  // turbo mode
    {174, 16, Text},   // serial number
    {190, 64, Reserved},
}};

constexpr bool Contiguous() {
  std::size_t next = 0;
  for (const ImageField& field : kFields) {
    if (field.offset != next) return false;
    next += field.size;
  }
  return next == kImageSumOffset;
}
static_assert(Contiguous(), "the settings fill bytes 0..253 without gaps");

unsigned SettingsSum(const ImageBytes& image) {
  return std::accumulate(image.begin(), image.begin() + kImageSumOffset, 0u);
}

}  // namespace

const ImageField& FieldOf(int setting) {
  return kFields.at(static_cast<std::size_t>(setting));
}

std::uint16_t ImageSum(const ImageBytes& image) {
  return static_cast<std::uint16_t>(0xFFFF - SettingsSum(image));
}

void SealImage(ImageBytes& image) {
  const std::uint16_t sum = ImageSum(image);
  image[kImageSumOffset] = static_cast<std::uint8_t>(sum & 0xFF);
  image[kImageSumOffset + 1] = static_cast<std::uint8_t>(sum >> 8);
}

bool ImageSumHolds(const ImageBytes& image) {
  const unsigned stored = image[kImageSumOffset] | image[kImageSumOffset + 1] << 8;
  return SettingsSum(image) + stored == 0xFFFF;
}

}  // namespace netloom::sim::wire
