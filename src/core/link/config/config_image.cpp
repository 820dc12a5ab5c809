#include "core/link/config/config_image.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "core/catalogue/config_items.h"
#include "core/catalogue/digits.h"
#include "core/catalogue/text_case.h"

namespace netloom::link {
namespace {

using catalogue::ConfigCatalogue;
using catalogue::ConfigItem;
using catalogue::ItemEncoding;
using catalogue::kItemCount;

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::size_t ItemSize(const ConfigItem& item) {
  const auto width = static_cast<std::size_t>(item.width);
  switch (item.encoding) {
    case ItemEncoding::Number:
    case ItemEncoding::Key:
      return width / 2;
    case ItemEncoding::Text:
    case ItemEncoding::Reserved:
      return width;
  }
  return 0;
}

// Offsets follow from the sizes, so the table is worked out once.
const std::array<ItemPlace, kItemCount>& Places() {
  static const auto places = [] {
    std::array<ItemPlace, kItemCount> table{};
    std::size_t offset = 0;
    for (int i = 0; i < kItemCount; ++i) {
      const std::size_t size = ItemSize(ConfigCatalogue()[static_cast<std::size_t>(i)]);
      table[static_cast<std::size_t>(i)] = {offset, size};
      offset += size;
    }
    return table;
  }();
  return places;
}

std::uint32_t ItemSum(const ConfigImage& image) {
  return std::accumulate(image.begin(), image.begin() + kImageChecksumOffset, std::uint32_t{0});
}

std::string Reason(const ConfigItem& item, const std::string& text, const std::string& why) {
  return std::string(item.name) + ": value \"" + text + "\" " + why;
}

// Writes the item's bytes at `place`; a reason when its text cannot be encoded as it stands.
std::string EncodeItem(const ConfigItem& item, const std::string& text, std::uint8_t* bytes,
                       std::size_t size) {
  switch (item.encoding) {
    case ItemEncoding::Number: {
      if (text.size() != static_cast<std::size_t>(item.width)) {
        return Reason(item, text, "is not " + std::to_string(item.width) + " hex digits");
      }
      for (std::size_t k = 0; k < size; ++k) {  // the last pair is the first byte
        const auto pair = catalogue::ParseHexDigits(std::string_view(text).substr(2 * k), 2);
        if (!pair) return Reason(item, text, "holds a character that is no hex digit");
        bytes[size - 1 - k] = static_cast<std::uint8_t>(*pair);
      }
      return {};
    }
    case ItemEncoding::Key: {
      if (text.size() > static_cast<std::size_t>(item.width)) {
        return Reason(item, text, "is longer than its 32 hex digits");
      }
      std::string digits = text;
      digits.resize(static_cast<std::size_t>(item.width), '0');  // the end counts as zeros
      for (std::size_t k = 0; k < size; ++k) {
        const auto pair = catalogue::ParseHexDigits(std::string_view(digits).substr(2 * k), 2);
        if (!pair) return Reason(item, text, "holds a character that is no hex digit");
        bytes[k] = static_cast<std::uint8_t>(*pair);
      }
      return {};
    }
    case ItemEncoding::Text:
      if (text.size() > size) {
        return Reason(item, text, "is longer than " + std::to_string(size) + " characters");
      }
      std::copy(text.begin(), text.end(), bytes);
      return {};
    case ItemEncoding::Reserved:
      return {};  // zero bytes
  }
  return {};
}

std::string DecodeItem(const ConfigItem& item, const std::uint8_t* bytes, std::size_t size) {
  std::string text;
  switch (item.encoding) {
    case ItemEncoding::Number:
      for (std::size_t k = size; k-- > 0;) {  // the first byte gives the last two digits
        text += kHexDigits[bytes[k] >> 4];
        text += kHexDigits[bytes[k] & 0x0F];
      }
      break;
    case ItemEncoding::Key:
      for (std::size_t k = 0; k < size; ++k) {
        text += kHexDigits[bytes[k] >> 4];
        text += kHexDigits[bytes[k] & 0x0F];
      }
      break;
    case ItemEncoding::Text:
    case ItemEncoding::Reserved:
      for (std::size_t k = 0; k < size && bytes[k] != 0; ++k) text += static_cast<char>(bytes[k]);
      break;
  }
  return text;
}

}  // namespace

ItemPlace ItemPlaceOf(int item) {
  if (item < 0 || item >= kItemCount) return {};
  return Places()[static_cast<std::size_t>(item)];
}

std::uint16_t ImageChecksum(const ConfigImage& image) {
  return static_cast<std::uint16_t>(0xFFFF - ItemSum(image));
}

void SealImage(ConfigImage& image) {
  const std::uint16_t checksum = ImageChecksum(image);
  image[kImageChecksumOffset] = static_cast<std::uint8_t>(checksum & 0xFF);
  image[kImageChecksumOffset + 1] = static_cast<std::uint8_t>(checksum >> 8);
}

bool ImageChecksumOk(const ConfigImage& image) {
  const std::uint32_t stored =
      image[kImageChecksumOffset] | (std::uint32_t{image[kImageChecksumOffset + 1]} << 8);
  return ItemSum(image) + stored == 0xFFFF;
}

EncodeResult EncodeImage(catalogue::ConfigValueTable& table) {
  EncodeResult result;
  const std::vector<std::string> values = table.Snapshot();
  for (int i = 0; i < kItemCount && result.ok(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    const ItemPlace place = Places()[index];
    result.error = EncodeItem(ConfigCatalogue()[index], values[index],
                              result.image.data() + place.offset, place.size);
  }
  if (!result.ok()) return result;
  SealImage(result.image);
  table.Clear(catalogue::kReserveDataItem);
  return result;
}

DecodeResult DecodeImage(const ConfigImage& image, catalogue::ConfigValueTable& table) {
  if (image[kImageChannelOffset] == 0) {
    table.LoadDefaults();
    return DecodeResult::DefaultsLoaded;
  }
  std::vector<std::string> values(kItemCount);
  for (int i = 0; i < kItemCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const ItemPlace place = Places()[index];
    values[index] = DecodeItem(ConfigCatalogue()[index], image.data() + place.offset, place.size);
  }
  const std::string& version = values[catalogue::kImageVersionItem];
  if (!catalogue::SameIgnoringCase(version, kImageVersion)) {
    table.Set(catalogue::kImageVersionItem, version);
    return DecodeResult::VersionMismatch;
  }
  table.Assign(values);  // every text is within its width, so it always fits a slot
  table.SetKeyEditable(values[catalogue::kSecurityEnableItem]);
  return DecodeResult::Decoded;
}

}  // namespace netloom::link
