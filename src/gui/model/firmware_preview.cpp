#include "gui/model/firmware_preview.h"

#include <cstdio>
#include <numeric>
#include <span>

#include "core/firmware/hex_file_reader.h"
#include "core/firmware/hex_record.h"

namespace netloom::model {
namespace {

constexpr std::uint8_t kColon = 0x3A;

const char* TypeName(int type) {
  static const char* const kNames[] = {"data",
                                       "end of file",
                                       "extended segment address",
                                       "start segment address",
                                       "extended linear address",
                                       "start linear address"};
  return type >= 0 && type < 6 ? kNames[type] : "unknown";
}

// Why a frame's record is broken, when DecodeRecord refused it.
std::string WhyBroken(std::span<const std::uint8_t> frame) {
  if (frame.size() < firmware::RecordFrameSize(0) || frame[0] != kColon) return "not a record";
  if (frame.size() != firmware::RecordFrameSize(frame[1])) return "length wrong";
  const auto sum = std::accumulate(frame.begin() + 1, frame.end(), 0u);
  if ((sum & 0xFF) != 0) return "checksum wrong";
  return "unknown record type";
}

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t value = 0;
  for (auto b : bytes) value = (value << 8) | b;
  return value;
}

std::optional<std::uint32_t> StartAddressOf(const firmware::HexRecord& record) {
  if (record.data.size() != 4) return std::nullopt;
  const std::uint32_t value = BigEndian(record.data);
  if (record.type == firmware::RecordType::StartLinearAddress) return value;
  if (record.type == firmware::RecordType::StartSegmentAddress)
    return (value >> 16) * 16 + (value & 0xFFFF);  // CS:IP
  return std::nullopt;
}

std::vector<AddressRange> RangesOf(const firmware::FirmwareImage& image) {
  std::vector<AddressRange> ranges;
  for (const auto& [address, byte] : image.Bytes()) {
    (void)byte;
    if (!ranges.empty() && ranges.back().last + 1 == address)
      ranges.back().last = address;
    else
      ranges.push_back({address, address});
  }
  return ranges;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

}  // namespace

FirmwarePreview PreviewFirmware(const std::string& path) {
  FirmwarePreview preview;
  firmware::HexFileReader reader;
  if (const auto opened = reader.Open(path); !opened.ok) {
    preview.failure = std::string(firmware::kCantUseFileMessage) + ": " + opened.detail;
    return preview;
  }
  firmware::FirmwareImage image;
  for (;;) {
    const auto frame = reader.NextFrame();
    if (frame.kind == firmware::FrameKind::End) break;
    if (frame.kind != firmware::FrameKind::Frame) {
      preview.failure =
          "line " + std::to_string(preview.frames + 1) + ": " + std::string(frame.Message());
      break;
    }
    ++preview.frames;
    if (frame.bytes.empty()) continue;
    const auto record = firmware::DecodeRecord(frame.bytes);
    if (!record) {
      preview.badLines.push_back({preview.frames, WhyBroken(frame.bytes)});
      continue;
    }
    ++preview.records;
    ++preview.recordTypes[static_cast<int>(record->type)];
    if (record->type == firmware::RecordType::Data) preview.dataBytes += record->data.size();
    if (const auto start = StartAddressOf(*record)) preview.startAddress = start;
    image.Apply(*record);
  }
  preview.ranges = RangesOf(image);
  return preview;
}

std::string PreviewText(const FirmwarePreview& preview) {
  std::string text;
  if (!preview.failure.empty()) text += preview.failure + "\n";
  text +=
      std::to_string(preview.frames) + " lines, " + std::to_string(preview.records) + " records (";
  bool first = true;
  for (const auto& [type, count] : preview.recordTypes) {
    text += (first ? "" : ", ") + std::to_string(count) + " " + TypeName(type);
    first = false;
  }
  text += "), " + std::to_string(preview.dataBytes) + " bytes of data\n";
  for (const auto& range : preview.ranges)
    text += "  " + Hex(range.first) + "-" + Hex(range.last) + "\n";
  if (preview.startAddress) text += "Start address " + Hex(*preview.startAddress) + "\n";
  for (const auto& bad : preview.badLines)
    text += "Line " + std::to_string(bad.line) + ": " + bad.why + "\n";
  return text;
}

}  // namespace netloom::model
