// The running virtual module against the hand-written wire vectors, through its pseudo-terminal
// and nothing of the program: it takes the image vector's frames, reports the identity that
// image holds and sends the same frames back.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/virtual_module_fixture.h"
#include "support/wait_for.h"
#include "support/wire_vectors.h"

namespace netloom::sim {
namespace {

using namespace std::chrono_literals;
using testsupport::TtyClient;
using testsupport::VirtualModuleTest;
namespace vectors = testsupport::vectors;

constexpr auto kReply = 5s;
const std::string kAck = "\x06";
const std::string kEot = "\x04";

// The image vector's frames, EOT left off.
std::vector<std::string> ImageFrames() {
  std::vector<std::string> frames;
  const std::string& all = vectors::kImageFrames;
  for (std::size_t start = 0; all[start] == '\x02';) {
    const std::size_t next = all.find_first_of("\x02\x04", start + 1);
    frames.push_back(all.substr(start, next - start));
    start = next;
  }
  return frames;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(VirtualModuleTest, TakesTheImageVectorReportsItsIdentityAndSendsItBack) {
  TtyClient client(sim_.LinkPath());
  ASSERT_TRUE(client.IsOpen());
  const auto frames = ImageFrames();
  ASSERT_EQ(frames.size(), 4u);

  ASSERT_TRUE(client.Write("ATCFGWRITE\r"));
  const std::string header = client.ReadUntil(kEot, kReply);
  const std::size_t stx = header.find('\x02');
  ASSERT_NE(stx, std::string::npos) << header;
  EXPECT_EQ(header.size() - stx, vectors::kWriteHeader.size()) << header;
  EXPECT_EQ(header.substr(stx, 5), vectors::kWriteHeader.substr(0, 5));
  ASSERT_TRUE(client.Write("\x02"));
  for (const std::string& frame : frames) {
    ASSERT_TRUE(client.Write(frame));
    EXPECT_EQ(client.ReadUntil(kAck, kReply), kAck);
  }
  ASSERT_TRUE(client.Write(kEot));
  EXPECT_EQ(client.ReadUntil(kAck, kReply).substr(0, 1), kAck);
  ASSERT_TRUE(testsupport::WaitFor([&] { return sim_.Faults().Exchanges().ImagesStored() == 1; }));

  ASSERT_TRUE(client.Write("ATINFOI\r"));
  const std::string identity = client.ReadUntil(">", kReply);
  EXPECT_NE(identity.find(vectors::kImageIdentityReply), std::string::npos) << identity;

  ASSERT_TRUE(client.Write("ATCFGREAD\r"));
  for (const std::string& frame : frames) {
    const std::string got = client.ReadUntil(frame, kReply);
    EXPECT_TRUE(EndsWith(got, frame)) << got;
    ASSERT_TRUE(client.Write(kAck));
  }
  EXPECT_EQ(client.ReadUntil(kEot, kReply).substr(0, 1), kEot);
}

}  // namespace
}  // namespace netloom::sim
