#include "core/firmware/hex_record.h"

namespace netloom::firmware {

std::optional<HexRecord> DecodeRecord(std::span<const std::uint8_t> frame) {
  if (frame.size() < RecordFrameSize(0) || frame[0] != 0x3A) return std::nullopt;
  const auto record = frame.subspan(1);
  if (frame.size() != RecordFrameSize(record[0]) || record[3] > 5) return std::nullopt;
  std::uint8_t sum = 0;
  for (const auto byte : record) sum = static_cast<std::uint8_t>(sum + byte);
  if (sum != 0) return std::nullopt;
  HexRecord decoded;
  decoded.type = static_cast<RecordType>(record[3]);
  decoded.address = static_cast<std::uint16_t>(record[1] << 8 | record[2]);
  decoded.data.assign(record.begin() + 4, record.end() - 1);
  return decoded;
}

void FirmwareImage::Apply(const HexRecord& record) {
  const auto word = [&] {
    return record.data.size() == 2 ? std::uint32_t{record.data[0]} << 8 | record.data[1] : 0u;
  };
  switch (record.type) {
    case RecordType::Data:
      for (std::size_t i = 0; i < record.data.size(); ++i) {
        bytes_[base_ + record.address + static_cast<std::uint32_t>(i)] = record.data[i];
      }
      break;
    case RecordType::ExtendedSegmentAddress:
      base_ = word() << 4;
      break;
    case RecordType::ExtendedLinearAddress:
      base_ = word() << 16;
      break;
    case RecordType::EndOfFile:
    case RecordType::StartSegmentAddress:
    case RecordType::StartLinearAddress:
      break;
  }
}

FirmwareImage FirmwareImage::FromBinary(std::span<const std::uint8_t> binary, std::uint32_t base) {
  FirmwareImage image;
  for (std::size_t i = 0; i < binary.size(); ++i) {
    image.bytes_[base + static_cast<std::uint32_t>(i)] = binary[i];
  }
  return image;
}

}  // namespace netloom::firmware
