#include "core/firmware/hex_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace netloom::firmware {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HexRecord, DecodesOnlyWholeRecordsWithTheirChecksum) {
  const struct {
    const char* name;
    Bytes frame;
    bool valid;
  } cases[] = {
      {"data", {0x3A, 0x02, 0x01, 0x00, 0x00, 0xAA, 0xBB, 0x98}, true},
      {"end of file", {0x3A, 0x00, 0x00, 0x00, 0x01, 0xFF}, true},
      {"bad checksum", {0x3A, 0x02, 0x01, 0x00, 0x00, 0xAA, 0xBB, 0x99}, false},
      {"short of its count", {0x3A, 0x02, 0x01, 0x00, 0x00, 0xAA, 0x53}, false},
      {"no colon", {0x00, 0x00, 0x00, 0x01, 0xFF, 0x00}, false},
      {"unknown type", {0x3A, 0x00, 0x00, 0x00, 0x06, 0xFA}, false},
      {"empty", {}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeRecord(c.frame).has_value(), c.valid) << c.name;
  const auto data = DecodeRecord(cases[0].frame);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->type, RecordType::Data);
  EXPECT_EQ(data->address, 0x0100);
  EXPECT_EQ(data->data, (Bytes{0xAA, 0xBB}));
}

TEST(HexRecord, ImagePlacesDataAtTheExtendedBase) {
  FirmwareImage image;
  image.Apply({RecordType::Data, 0x0010, {1, 2}});
  image.Apply({RecordType::ExtendedLinearAddress, 0, {0x00, 0x01}});
  image.Apply({RecordType::Data, 0x0000, {3}});
  image.Apply({RecordType::ExtendedSegmentAddress, 0, {0x10, 0x00}});
  image.Apply({RecordType::Data, 0x0002, {4}});
  image.Apply({RecordType::EndOfFile, 0, {}});
  const std::map<std::uint32_t, std::uint8_t> expected = {
      {0x10, 1}, {0x11, 2}, {0x10000, 3}, {0x10002, 4}};
  EXPECT_EQ(image.Bytes(), expected);
  EXPECT_EQ(FirmwareImage::FromBinary(Bytes{7, 8}, 0x20).Bytes(),
            (std::map<std::uint32_t, std::uint8_t>{{0x20, 7}, {0x21, 8}}));
}

}  // namespace
}  // namespace netloom::firmware
