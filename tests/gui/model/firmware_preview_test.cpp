#include "gui/model/firmware_preview.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace netloom::model {
namespace {

TEST(FirmwarePreview, CountsRecordsRangesAndStartAndFlagsBrokenLines) {
  testsupport::TempFolder folder;
  const auto path = folder.Write("app.hex",
                                 ":020000040001F9\n"      // base 0x00010000
                                 ":0400000001020304F2\n"  // 0x10000..0x10003
                                 ":020004000506EF\n"      // 0x10004..0x10005
                                 ":0200100007085F\n"      // checksum wrong
                                 ":03002000090A0BBF\n"    // 0x10020..0x10022
                                 ":02003000AABB\n"        // length wrong
                                 ":0400000500010203F1\n"  // start 0x00010203
                                 "\n"                     // an empty line
                                 ":00000001FF\n");
  const auto preview = PreviewFirmware(path);
  EXPECT_TRUE(preview.failure.empty()) << preview.failure;
  EXPECT_EQ(preview.frames, 9u);
  EXPECT_EQ(preview.records, 6u);
  EXPECT_EQ(preview.recordTypes, (std::map<int, std::size_t>{{0, 3}, {1, 1}, {4, 1}, {5, 1}}));
  EXPECT_EQ(preview.dataBytes, 9u);
  EXPECT_EQ(preview.ranges, (std::vector<AddressRange>{{0x10000, 0x10005}, {0x10020, 0x10022}}));
  EXPECT_EQ(preview.startAddress, 0x00010203u);
  EXPECT_EQ(preview.badLines, (std::vector<BadLine>{{4, "checksum wrong"}, {6, "length wrong"}}));
  const auto text = PreviewText(preview);
  EXPECT_NE(text.find("9 lines, 6 records (3 data, 1 end of file, 1 extended linear address, "
                      "1 start linear address), 9 bytes of data"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("00010000-00010005"), std::string::npos) << text;
  EXPECT_NE(text.find("Line 4: checksum wrong"), std::string::npos) << text;
}

TEST(FirmwarePreview, RangesOutOfOrderOverlappingAndWrappingMerge) {
  testsupport::TempFolder folder;
  const auto path = folder.Write("scattered.hex",
                                 ":020010000102EB\n"      // 0x10..0x11
                                 ":0400000003040506EA\n"  // 0x00..0x03
                                 ":040002000708090AD8\n"  // 0x02..0x05, over the one before
                                 ":020012000B0CD5\n"      // 0x12..0x13
                                 ":02000004FFFFFC\n"      // base 0xFFFF0000
                                 ":02FFFF000D0EE5\n");    // 0xFFFFFFFF, then 0x00000000
  EXPECT_EQ(PreviewFirmware(path).ranges,
            (std::vector<AddressRange>{{0x0, 0x5}, {0x10, 0x13}, {0xFFFFFFFF, 0xFFFFFFFF}}));
}

TEST(FirmwarePreview, NamesWhatStopsTheUpload) {
  testsupport::TempFolder folder;
  const auto preview = PreviewFirmware(folder.Write("bad.hex", ":00000001FF\n:0000 0001FF\n"));
  EXPECT_EQ(preview.failure, "line 2: The HEX file format error!!");
  EXPECT_EQ(preview.frames, 1u);
  EXPECT_FALSE(PreviewFirmware(folder.File("missing.hex")).failure.empty());
}

}  // namespace
}  // namespace netloom::model
