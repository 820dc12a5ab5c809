// The virtual module's own wire forms against the hand-written wire vectors.
#include "support/wire_vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "core/catalogue/config_items.h"
#include "core/sim/handler_registry.h"
#include "core/sim/node_image.h"
#include "core/sim/wire/boot_loader_bytes.h"
#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/flash_image.h"
#include "core/sim/wire/frame_reader.h"
#include "core/sim/wire/frame_writer.h"
#include "core/sim/wire/hex_record.h"
#include "core/sim/wire/identity_text.h"
#include "core/sim/wire/image_fields.h"

namespace netloom::sim::wire {
namespace {

namespace vectors = testsupport::vectors;
using Step = FrameReader::Step;

std::vector<Step> FeedAll(FrameReader& reader, std::string_view bytes) {
  std::vector<Step> steps;
  for (const char c : bytes) {
    const Step step = reader.Feed(static_cast<std::uint8_t>(c));
    if (step == Step::More) continue;
    steps.push_back(step);
    if (step != Step::Frame) break;
  }
  return steps;
}

TEST(SimWireVectors, SingleFrames) {
  for (const auto& v : vectors::kFrames) {
    FrameReader reader;
    EXPECT_EQ(FeedAll(reader, v.text), std::vector{v.good ? Step::Frame : Step::Bad}) << v.what;
    if (!v.good) continue;
    EXPECT_TRUE(std::equal(v.payload.begin(), v.payload.end(), reader.Image().begin())) << v.what;
    // The module writes upper-case digits.
    std::string upper = v.text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    EXPECT_EQ(FrameText(v.payload), upper) << v.what;
  }
  // The spoiled checksum a fault sends.
  EXPECT_EQ(FrameText(vectors::kFrames[0].payload, true), vectors::kFrames.back().text);
}

TEST(SimWireVectors, WriteHeader) {
  EXPECT_EQ(WriteHeaderText(vectors::kWriteHeaderMac), vectors::kWriteHeader);
}

TEST(SimWireVectors, ImageChecksumAndFrames) {
  const ImageBytes image = vectors::ImageVector();
  EXPECT_EQ(ImageSum(image), vectors::kImageChecksum);
  EXPECT_TRUE(ImageSumHolds(image));

  std::string sent;
  for (std::size_t offset = 0; offset < image.size(); offset += kFramePayload) {
    sent += FrameText(std::span(image).subspan(offset, kFramePayload));
  }
  EXPECT_EQ(sent + static_cast<char>(kEot), vectors::kImageFrames);

  FrameReader reader;
  EXPECT_EQ(FeedAll(reader, vectors::kImageFrames),
            (std::vector{Step::Frame, Step::Frame, Step::Frame, Step::Frame, Step::End}));
  EXPECT_EQ(reader.Image(), image);
}

TEST(SimWireVectors, ImageSettings) {
  ImageBytes image{};
  for (const auto& [setting, text] : vectors::kImageTexts) {
    EXPECT_TRUE(SetSettingText(image, setting, text)) << "setting " << setting;
  }
  SealImage(image);
  EXPECT_EQ(image, vectors::ImageVector());
  EXPECT_EQ(NumberAt(image, kChannelField), 0x0Fu);
  EXPECT_EQ(NumberAt(image, kPanIdField), 0x9876u);
  EXPECT_EQ(TextAt(image, kDeviceNameField), "Dev1");
  EXPECT_EQ(IdentityReplyText(IdentityOf(image)), vectors::kImageIdentityReply);
}

TEST(SimWireVectors, CatalogueDefaultsFitTheModuleImage) {
  ImageBytes image{};
  const auto items = catalogue::ConfigCatalogue();
  for (std::size_t k = 0; k < items.size(); ++k) {
    EXPECT_TRUE(SetSettingText(image, static_cast<int>(k), items[k].defaultValue)) << items[k].name;
  }
}

TEST(SimWireVectors, Identity) {
  const auto& v = vectors::kIdentity;
  const IdentityFields identity{
      static_cast<std::uint32_t>(v.version),   static_cast<std::uint32_t>(v.channel),
      static_cast<std::uint32_t>(v.panId),     static_cast<std::uint32_t>(v.deviceType),
      static_cast<std::uint32_t>(v.startMode), std::string(v.name)};
  EXPECT_EQ(IdentityReplyText(identity), vectors::kIdentityReply);

  std::string_view request = vectors::kIdentityWrite;
  request.remove_suffix(1);  // the CR that ends the line
  const SimCommand command = ParseCommand(request);
  EXPECT_EQ(command.word, "INFOI");
  EXPECT_EQ(IdentityWriteOf(command.args), identity);
}

TEST(SimWireVectors, IdentityWritesTheModuleRefuses) {
  const struct {
    const char* what;
    std::vector<std::string> words;
  } cases[] = {
      {"version 0003", {"0003", "0B", "1234", "0", "0", "Device001"}},
      {"channel 1B", {"0002", "1B", "1234", "0", "0", "Device001"}},
      {"channel 0A", {"0002", "0A", "1234", "0", "0", "Device001"}},
      {"PAN ID of three digits", {"0002", "0B", "123", "0", "0", "Device001"}},
      {"device type 3", {"0002", "0B", "1234", "3", "0", "Device001"}},
      {"start mode 5", {"0002", "0B", "1234", "0", "5", "Device001"}},
      {"17-character name", {"0002", "0B", "1234", "0", "0", "SeventeenLetters!"}},
      {"no name", {"0002", "0B", "1234", "0", "0"}},
  };
  for (const auto& c : cases) EXPECT_FALSE(IdentityWriteOf(c.words)) << c.what;
  EXPECT_TRUE(IdentityWriteOf(
      std::vector<std::string>{"0002", "1a", "FFFF", "2", "4", "SixteenLetters!!"}));
}

TEST(SimWireVectors, RecordFrames) {
  for (const auto& v : vectors::kRecords) {
    const auto record = RecordOf(v.frame);
    ASSERT_EQ(record.has_value(), v.good) << v.what;
    if (!record) continue;
    EXPECT_EQ(static_cast<std::uint8_t>(record->kind), v.type) << v.what;
    EXPECT_EQ(record->address, v.address) << v.what;
    EXPECT_EQ(record->data, v.data) << v.what;
    EXPECT_EQ(RecordLength(v.frame[1]), v.frame.size()) << v.what;
  }
}

TEST(SimWireVectors, RecordsMemory) {
  FlashImage flash;
  for (const auto& v : vectors::kRecords) {
    if (const auto record = RecordOf(v.frame)) flash.Apply(*record);
  }
  EXPECT_EQ(flash.Bytes(), vectors::RecordsMemory());
}

TEST(SimWireVectors, BootLoaderIdentification) {
  EXPECT_EQ(kIdentifyRequest, vectors::kIdentifyRequest);
  EXPECT_EQ(std::string(kIdentification) + static_cast<char>(kStx), vectors::kIdentifyAnswer);
}

}  // namespace
}  // namespace netloom::sim::wire
