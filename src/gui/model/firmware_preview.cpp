#include "gui/model/firmware_preview.h"

#include <algorithm>
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

// The address ranges the data records fill, gathered as the records stream: a record that
// continues the last range extends it, so a file written in address order holds one range per
// gap, never one entry per byte. Addresses are the record's plus the extended segment or linear
// base, in 32 bits (a record running past the top wraps to 0).
class RangeGatherer {
 public:
  void Apply(const firmware::HexRecord& record) {
    const auto word = [&] {
      return record.data.size() == 2 ? std::uint32_t{record.data[0]} << 8 | record.data[1] : 0u;
    };
    switch (record.type) {
      case firmware::RecordType::Data:
        if (!record.data.empty()) Add(base_ + record.address, record.data.size());
        break;
      case firmware::RecordType::ExtendedSegmentAddress:
        base_ = word() << 4;
        break;
      case firmware::RecordType::ExtendedLinearAddress:
        base_ = word() << 16;
        break;
      default:
        break;
    }
  }

  // The ranges in address order, overlapping and touching ones merged.
  std::vector<AddressRange> Take() {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const AddressRange& a, const AddressRange& b) { return a.first < b.first; });
    std::vector<AddressRange> merged;
    for (const auto& range : ranges_) {
      if (!merged.empty() && std::uint64_t{range.first} <= std::uint64_t{merged.back().last} + 1)
        merged.back().last = std::max(merged.back().last, range.last);
      else
        merged.push_back(range);
    }
    ranges_.clear();
    return merged;
  }

 private:
  void Add(std::uint32_t first, std::size_t count) {
    const std::uint64_t last = std::uint64_t{first} + count - 1;
    if (last > 0xFFFFFFFFu) {
      Extend(first, 0xFFFFFFFFu);
      Extend(0, static_cast<std::uint32_t>(last - 0x100000000u));
      return;
    }
    Extend(first, static_cast<std::uint32_t>(last));
  }
  void Extend(std::uint32_t first, std::uint32_t last) {
    if (!ranges_.empty() && std::uint64_t{ranges_.back().last} + 1 == first)
      ranges_.back().last = last;
    else
      ranges_.push_back({first, last});
  }

  std::vector<AddressRange> ranges_;
  std::uint32_t base_ = 0;
};

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
    preview.failure.append(firmware::kCantUseFileMessage).append(": ").append(opened.detail);
    return preview;
  }
  RangeGatherer ranges;
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
    ranges.Apply(*record);
  }
  preview.ranges = ranges.Take();
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
