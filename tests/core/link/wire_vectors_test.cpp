// The program's configuration and identity codecs against the hand-written wire vectors.
#include "support/wire_vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/identity/identity_reply.h"

namespace netloom::link {
namespace {

namespace vectors = testsupport::vectors;

// Feeds `bytes` to `receiver` until it leaves More; the results in order.
template <typename Receiver>
std::vector<FeedResult> FeedAll(Receiver& receiver, std::string_view bytes) {
  std::vector<FeedResult> results;
  for (const char c : bytes) {
    const FeedResult result = receiver.Feed(static_cast<std::uint8_t>(c));
    if (result == FeedResult::More) continue;
    results.push_back(result);
    if (result != FeedResult::Accepted) break;
  }
  return results;
}

TEST(WireVectors, SingleFrames) {
  for (const auto& v : vectors::kFrames) {
    ImageReceiver receiver;
    const auto results = FeedAll(receiver, v.text);
    ASSERT_EQ(results.size(), 1u) << v.what;
    EXPECT_EQ(results[0], v.good ? FeedResult::Accepted : FeedResult::Failed) << v.what;
    if (!v.good) continue;
    EXPECT_TRUE(std::equal(v.payload.begin(), v.payload.end(), receiver.Image().begin())) << v.what;
    // Senders write upper-case digits.
    std::string upper = v.text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    EXPECT_EQ(EncodeFrame(v.payload), upper) << v.what;
  }
}

TEST(WireVectors, WriteHeader) {
  HeaderReceiver receiver;
  const auto results = FeedAll(receiver, vectors::kWriteHeader);
  EXPECT_EQ(results, std::vector{FeedResult::Ended}) << receiver.Message();
}

TEST(WireVectors, ImageChecksumAndFrames) {
  const ConfigImage image = vectors::ImageVector();
  EXPECT_EQ(ImageChecksum(image), vectors::kImageChecksum);
  EXPECT_TRUE(ImageChecksumOk(image));

  std::string sent;
  for (std::size_t offset = 0; offset < image.size(); offset += kMaxFramePayload) {
    sent += EncodeFrame(std::span(image).subspan(offset, kMaxFramePayload));
  }
  EXPECT_EQ(sent + static_cast<char>(kEot), vectors::kImageFrames);

  ImageReceiver receiver;
  const auto results = FeedAll(receiver, vectors::kImageFrames);
  EXPECT_EQ(results, (std::vector{FeedResult::Accepted, FeedResult::Accepted, FeedResult::Accepted,
                                  FeedResult::Accepted, FeedResult::Ended}));
  EXPECT_EQ(receiver.Image(), image);
}

TEST(WireVectors, ImageSettings) {
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  ASSERT_EQ(DecodeImage(vectors::ImageVector(), table), DecodeResult::Decoded);
  for (const auto& [setting, text] : vectors::kImageTexts) {
    EXPECT_EQ(table.Get(setting), text) << "setting " << setting;
  }
  const EncodeResult encoded = EncodeImage(table);
  ASSERT_TRUE(encoded.ok()) << encoded.error;
  EXPECT_EQ(encoded.image, vectors::ImageVector());
}

TEST(WireVectors, Identity) {
  const auto& v = vectors::kIdentity;
  const ModuleIdentity identity{v.version,    v.channel,   v.panId,
                                v.deviceType, v.startMode, std::string(v.name)};
  EXPECT_EQ(FormatIdentityReply(identity), vectors::kIdentityReply);
  EXPECT_EQ(FormatIdentityWrite(identity), vectors::kIdentityWrite);

  for (const std::string_view reply : {vectors::kIdentityReply, vectors::kIdentityReplyLowerCase}) {
    IdentityReplyParser parser({});
    for (const char c : reply) parser.Feed(static_cast<std::uint8_t>(c));
    ASSERT_EQ(parser.State(), IdentityState::Complete) << reply << ": " << parser.Message();
    EXPECT_EQ(parser.Identity(), identity) << reply;
  }
  IdentityReplyParser parser({});
  for (const char c : vectors::kImageIdentityReply) parser.Feed(static_cast<std::uint8_t>(c));
  ASSERT_EQ(parser.State(), IdentityState::Complete) << parser.Message();
  EXPECT_EQ(parser.Identity(), (ModuleIdentity{2, 0x0F, 0x9876, 0, 0, "Dev1"}));
}

}  // namespace
}  // namespace netloom::link
