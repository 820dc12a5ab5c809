#include "core/firmware/hex_file_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/firmware/hex_record.h"
#include "support/temp_folder.h"

namespace netloom::firmware {
namespace {

using testsupport::TempFolder;

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const auto b : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
  }
  return text;
}

// Everything the reader returns up to its first non-frame: frames as hex, then the final kind.
std::vector<std::string> ReadAll(const std::string& path) {
  HexFileReader reader;
  EXPECT_TRUE(reader.Open(path).ok);
  std::vector<std::string> results;
  for (;;) {
    const auto result = reader.NextFrame();
    switch (result.kind) {
      case FrameKind::Frame:
        results.push_back(Hex(result.bytes));
        continue;
      case FrameKind::End:
        results.push_back("END");
        break;
      case FrameKind::FormatError:
        results.push_back("FORMAT");
        break;
      case FrameKind::LengthError:
        results.push_back("LENGTH");
        break;
      case FrameKind::ReadError:
        results.push_back("READ");
        break;
    }
    return results;
  }
}

struct Case {
  const char* name;
  std::string content;
  std::vector<std::string> expected;
};

std::string Pairs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "A5";
  return text;
}

TEST(HexFileReader, EncodesLinesByTheRules) {
  const std::vector<Case> cases = {
      {"record", ":0300300002337A1E\n", {"3A0300300002337A1E", "END"}},
      {"crlf like lf", ":0102\r\n:03\r\n", {"3A0102", "3A03", "END"}},
      {"empty line", "\n:01\n", {"", "3A01", "END"}},
      {"lower case", ":abcdef\n", {"3AABCDEF", "END"}},
      {"colon inside a pair", "1:2\n", {"3A12", "END"}},
      {"odd digit dropped", ":123\n:45\n", {"3A12", "3A45", "END"}},
      {"no colon needed", "0A0B\n", {"0A0B", "END"}},
      {"last line without feed", ":01\n:02", {"3A01", "END"}},
      {"0xFF ends the file", ":01\n\xFF:02\n", {"3A01", "END"}},
      {"space", ":01 02\n", {"FORMAT"}},
      {"tab", ":01\t\n", {"FORMAT"}},
      {"lone cr", ":01\r02\n", {"FORMAT"}},
      {"cr cr lf", ":01\r\r\n", {"FORMAT"}},
      {"letter beyond f", ":0G\n", {"FORMAT"}},
      {"error after good lines", ":01\n;\n", {"3A01", "FORMAT"}},
      {"255 bytes", ":" + Pairs(254) + "\n", {"3A" + Pairs(254), "END"}},
      {"256 bytes", ":" + Pairs(255) + "\n", {"LENGTH"}},
      {"256 bytes of colons", std::string(256, ':') + "\n", {"LENGTH"}},
      {"empty file", "", {"END"}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    EXPECT_EQ(ReadAll(folder.Write("case.hex", c.content)), c.expected) << c.name;
  }
}

TEST(HexFileReader, ErrorsCarryTheirTexts) {
  EXPECT_EQ((FrameResult{FrameKind::FormatError, {}}.Message()), "The HEX file format error!!");
  EXPECT_EQ((FrameResult{FrameKind::LengthError, {}}.Message()),
            "The HEX file format error, line too long!!");
  EXPECT_EQ((FrameResult{FrameKind::ReadError, {}}.Message()), "Can not use this file");
  EXPECT_EQ((FrameResult{FrameKind::Frame, {}}.Message()), "");
}

TEST(HexFileReader, EndAndErrorsAreFinal) {
  TempFolder folder;
  HexFileReader reader;
  ASSERT_TRUE(reader.Open(folder.Write("f.hex", ":01\n\xFF:02\n")).ok);
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::Frame);
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::End);
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::End);
  ASSERT_TRUE(reader.Open(folder.Write("g.hex", "x\n:01\n")).ok);
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::FormatError);
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::FormatError);
  reader.Close();
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::End);
}

TEST(HexFileReader, ProgressCountsTheDroppedCarriageReturn) {
  TempFolder folder;
  const std::string lines = ":0102\n:0304\n:0506\n:0708\n";
  std::string crlf;
  for (const char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const auto& [content, last] : {std::pair{crlf, 100}, std::pair{lines, 28 * 100 / 24}}) {
    HexFileReader reader;
    const auto opened = reader.Open(folder.Write("p.hex", content));
    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(opened.size, content.size());
    std::vector<int> seen;
    while (reader.NextFrame().kind == FrameKind::Frame) seen.push_back(reader.Progress());
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_LT(seen[0], seen[1]);
    EXPECT_EQ(seen.back(), last);
  }
}

TEST(HexFileReader, OpenRefusesWhatIsNotAReadableFile) {
  TempFolder folder;
  HexFileReader reader;
  const auto missing = reader.Open(folder.File("missing.hex"));
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.detail.empty());
  EXPECT_FALSE(reader.Open(folder.File("")).ok);  // the folder itself
  EXPECT_EQ(reader.NextFrame().kind, FrameKind::End);
}

// Files made by an independent tool: every frame must be the colon followed by exactly the
// bytes the record's text spells, and the records must rebuild the binary they were made from.
std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::uint8_t> BytesOfRecordText(const std::string& line) {
  std::vector<std::uint8_t> bytes{0x3A};
  for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

struct GeneratedCase {
  std::size_t binaryBytes;
  int blockSize;
  bool crlf;
};

TEST(HexFileReader, FramesOfIndependentlyMadeFilesAreTheirRecords) {
  const std::vector<GeneratedCase> cases = {
      {1, 16, false},     {1000, 16, true},   {65536, 16, false},
      {70000, 32, false}, {5000, 249, false}, {4099, 7, true},
  };
  TempFolder folder;
  std::mt19937 random(20241);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.binaryBytes);
    std::vector<std::uint8_t> binary(c.binaryBytes);
    for (auto& b : binary) b = static_cast<std::uint8_t>(random());
    const auto binPath = folder.Write(
        "image.bin", std::string_view(reinterpret_cast<const char*>(binary.data()), binary.size()));
    const auto hexPath = folder.File("image.hex");
    std::ostringstream command;
    command << "srec_cat " << binPath << " -binary -o " << hexPath << " -intel -Output_Block_Size "
            << c.blockSize << (c.crlf ? " -crlf" : "");
    ASSERT_EQ(std::system(command.str().c_str()), 0) << command.str();

    const auto lines = ReadLines(hexPath);
    HexFileReader reader;
    ASSERT_TRUE(reader.Open(hexPath).ok);
    FirmwareImage image;
    for (const auto& line : lines) {
      const auto frame = reader.NextFrame();
      ASSERT_EQ(frame.kind, FrameKind::Frame) << line;
      ASSERT_EQ(Hex(frame.bytes), Hex(BytesOfRecordText(line))) << line;
      const auto record = DecodeRecord(frame.bytes);
      ASSERT_TRUE(record.has_value()) << line;
      image.Apply(*record);
    }
    EXPECT_EQ(reader.NextFrame().kind, FrameKind::End);
    if (c.crlf) {
      EXPECT_EQ(reader.Progress(), 100);
    } else {
      EXPECT_GE(reader.Progress(), 100);
    }
    EXPECT_EQ(image.Bytes(), FirmwareImage::FromBinary(binary).Bytes());
  }
}

}  // namespace
}  // namespace netloom::firmware
