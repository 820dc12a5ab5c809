#include "core/link/config/config_frames.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"

namespace netloom::link {
namespace {

const std::string kFrameStart(1, static_cast<char>(kStx));
const std::string kFramesEnd(1, static_cast<char>(kEot));

struct Fed {
  int accepted = 0;
  FeedResult last = FeedResult::More;
  std::string message;
};

template <typename Receiver>
Fed Feed(Receiver& receiver, std::string_view bytes) {
  Fed fed;
  for (const char c : bytes) {
    fed.last = receiver.Feed(static_cast<std::uint8_t>(c));
    if (fed.last == FeedResult::Accepted) ++fed.accepted;
    if (fed.last == FeedResult::Failed) {
      fed.message = std::string(receiver.Message());
      break;
    }
    if (fed.last == FeedResult::Ended) break;
  }
  return fed;
}

ConfigImage SampleImage() {
  ConfigImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7);
  SealImage(image);
  return image;
}

std::string FrameBytes(const ConfigImage& image, std::size_t frameSize = kMaxFramePayload) {
  std::string bytes;
  for (std::size_t offset = 0; offset < image.size(); offset += frameSize) {
    bytes += EncodeFrame(std::span(image).subspan(offset, std::min(frameSize, 256 - offset)));
  }
  return bytes;
}

struct OutcomeCase {
  const char* what;
  std::string bytes;
  std::string message;  // empty: the receiver ends normally
};

// Feeds the case's bytes to a fresh receiver and checks how it ends.
template <typename Receiver>
void ExpectOutcome(const OutcomeCase& c) {
  Receiver receiver;
  const Fed fed = Feed(receiver, c.bytes);
  if (c.message.empty()) {
    EXPECT_EQ(fed.last, FeedResult::Ended) << c.what;
  } else {
    EXPECT_EQ(fed.last, FeedResult::Failed) << c.what;
    EXPECT_EQ(fed.message, c.message) << c.what;
  }
}

std::string Frame(std::string_view length, std::string_view payload, std::string_view sum) {
  return kFrameStart + std::string(length) + std::string(payload) + std::string(sum);
}

TEST(ConfigFrames, ChecksumAndUpperCaseDigits) {
  const std::uint8_t payload[] = {0x01, 0x02};
  EXPECT_EQ(FrameChecksum(payload), 0xFC);
  EXPECT_EQ(EncodeFrame(payload), kFrameStart + "020102FC");
  const std::uint8_t high[] = {0xAB, 0xCD};
  EXPECT_EQ(EncodeFrame(high), kFrameStart + "02ABCD87");
}

TEST(ImageReceiver, TakesFourFramesAndEot) {
  const ConfigImage image = SampleImage();
  ImageReceiver receiver;
  const Fed fed = Feed(receiver, FrameBytes(image) + kFramesEnd);
  EXPECT_EQ(fed.accepted, 4);
  EXPECT_EQ(fed.last, FeedResult::Ended);
  EXPECT_EQ(receiver.Image(), image);
}

TEST(ImageReceiver, AcceptsLowerCaseDigitsAndShorterFrames) {
  const ConfigImage image = SampleImage();
  std::string bytes = FrameBytes(image, 50);
  for (char& c : bytes) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ImageReceiver receiver;
  const Fed fed = Feed(receiver, bytes + kFramesEnd);
  EXPECT_EQ(fed.accepted, 6);
  EXPECT_EQ(receiver.Image(), image);
}

TEST(ImageReceiver, FailuresOfTheWire) {
  const ConfigImage image = SampleImage();
  const std::string good = FrameBytes(image);
  const OutcomeCase cases[] = {
      {"20 noise bytes are tolerated", std::string(20, '~') + good + kFramesEnd, ""},
      {"the 21st is not", std::string(21, '~') + good, std::string(kConfigFormatError)},
      {"noise is counted over the whole transfer",
       std::string(10, '~') + good.substr(0, 133) + std::string(11, '~'),
       std::string(kConfigFormatError)},
      {"length 00", Frame("00", "", "FF"), std::string(kDataLengthError)},
      {"length 41", Frame("41", "", ""), std::string(kDataLengthError)},
      {"a fifth frame has no room", good + Frame("01", "00", "FF"), std::string(kDataLengthError)},
      {"frame checksum", Frame("02", "0102", "FD"), std::string(kFrameChecksumError)},
      {"no digit in the length", Frame("4G", "", ""), std::string(kConfigFormatError)},
      {"no digit in the payload", Frame("02", "01x2", "FC"), std::string(kConfigFormatError)},
      {"no digit in the checksum", Frame("02", "0102", "F?"), std::string(kConfigFormatError)},
      {"EOT inside a frame", Frame("02", "01", "") + kFramesEnd, std::string(kConfigFormatError)},
  };
  for (const auto& c : cases) ExpectOutcome<ImageReceiver>(c);
}

TEST(ImageReceiver, FewerThanFourFramesLeaveZerosThatFailTheImageCheck) {
  const ConfigImage image = SampleImage();
  ImageReceiver receiver;
  Feed(receiver, FrameBytes(image).substr(0, 3 * 133) + kFramesEnd);
  EXPECT_EQ(receiver.Image()[255], 0);
  EXPECT_FALSE(ImageChecksumOk(receiver.Image()));
}

TEST(HeaderReceiver, CasesOfTheHeader) {
  const std::string mac16 = "0123456789ABCDEF";
  const OutcomeCase cases[] = {
      {"complete", kFrameStart + "0002" + mac16 + kFramesEnd, ""},
      {"either case", std::string(20, '#') + kFrameStart + "0002" + "0123456789abcdef" + kFramesEnd,
       ""},
      {"15 address characters", kFrameStart + "0002" + mac16.substr(1) + kFramesEnd,
       std::string(kMacAddressError)},
      {"17 address characters", kFrameStart + "0002" + mac16 + "0",
       std::string(kConfigFormatError)},
      {"EOT before STX", kFramesEnd, std::string(kMacAddressError)},
      {"EOT in the version", kFrameStart + "00" + kFramesEnd, std::string(kMacAddressError)},
      {"version 0003", kFrameStart + "0003", WriteVersionError()},
      {"21 noise bytes", std::string(21, '#'), std::string(kConfigFormatError)},
      {"no hex digit in the address", kFrameStart + "0002" + "01234567-9ABCDEF",
       std::string(kConfigFormatError)},
  };
  for (const auto& c : cases) ExpectOutcome<HeaderReceiver>(c);
}

TEST(ConfigMessages, VersionTexts) {
  EXPECT_EQ(ReadVersionError(), "Version error. Please check device's version to [0002].");
  EXPECT_EQ(WriteVersionError(), "Version error. Please check device's version is [0002].");
}

}  // namespace
}  // namespace netloom::link
