// The program's firmware record handling and boot-loader bytes against the hand-written wire
// vectors.
#include "support/wire_vectors.h"

#include <gtest/gtest.h>

#include "core/firmware/boot_loader_protocol.h"
#include "core/firmware/frame_encoder.h"
#include "core/firmware/hex_record.h"

namespace netloom::firmware {
namespace {

namespace vectors = testsupport::vectors;

std::vector<std::uint8_t> FrameOf(std::string_view line) {
  FrameEncoder encoder;
  for (const char c : line) {
    if (encoder.Feed(c) != FeedResult::Accepted) return {};
  }
  return {encoder.Frame().begin(), encoder.Frame().end()};
}

TEST(WireVectors, RecordFrames) {
  for (const auto& v : vectors::kRecords) {
    EXPECT_EQ(FrameOf(v.line), v.frame) << v.what;
    const auto record = DecodeRecord(v.frame);
    ASSERT_EQ(record.has_value(), v.good) << v.what;
    if (!record) continue;
    EXPECT_EQ(static_cast<std::uint8_t>(record->type), v.type) << v.what;
    EXPECT_EQ(record->address, v.address) << v.what;
    EXPECT_EQ(record->data, v.data) << v.what;
  }
}

TEST(WireVectors, RecordsMemory) {
  FirmwareImage image;
  for (const auto& v : vectors::kRecords) {
    if (const auto record = DecodeRecord(v.frame)) image.Apply(*record);
  }
  EXPECT_EQ(image.Bytes(), vectors::RecordsMemory());
}

TEST(WireVectors, BootLoaderIdentification) {
  EXPECT_EQ(kIdentifyRequest, vectors::kIdentifyRequest);
  const std::string& answer = vectors::kIdentifyAnswer;
  EXPECT_TRUE(
      IsIdentification({reinterpret_cast<const std::uint8_t*>(answer.data()), answer.size()}));
  EXPECT_EQ(static_cast<std::uint8_t>(answer.back()), kStx);
}

}  // namespace
}  // namespace netloom::firmware
