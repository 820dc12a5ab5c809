// Intel HEX records as the boot loader receives them: the frames of the file reader, a colon
// byte followed by the record's raw bytes (count, address high, address low, type, data,
// checksum). Decoding checks each record's own checksum; FirmwareImage assembles the memory
// image the records describe. No I/O; the virtual module's boot loader and the tests use these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace netloom::firmware {

enum class RecordType : std::uint8_t {
  Data = 0,
  EndOfFile = 1,
  ExtendedSegmentAddress = 2,
  StartSegmentAddress = 3,
  ExtendedLinearAddress = 4,
  StartLinearAddress = 5,
};

struct HexRecord {
  RecordType type = RecordType::Data;
  std::uint16_t address = 0;
  std::vector<std::uint8_t> data;
};

// Bytes of a whole record frame (colon included) whose count byte is `count`.
constexpr std::size_t RecordFrameSize(std::uint8_t count) {
  return std::size_t{count} + 6;
}

// The record a frame carries, or nothing when the frame does not start with the colon, its
// length disagrees with its count byte, its type is unknown or its checksum is wrong.
std::optional<HexRecord> DecodeRecord(std::span<const std::uint8_t> frame);

// The memory image a sequence of records describes (data records placed at their address plus
// the current extended segment or linear base).
class FirmwareImage {
 public:
  // Applies one record; records other than data and address bases change nothing.
  void Apply(const HexRecord& record);
  const std::map<std::uint32_t, std::uint8_t>& Bytes() const { return bytes_; }
  // The image of a flat binary loaded at `base`.
  static FirmwareImage FromBinary(std::span<const std::uint8_t> binary, std::uint32_t base = 0);

 private:
  std::map<std::uint32_t, std::uint8_t> bytes_;
  std::uint32_t base_ = 0;
};

}  // namespace netloom::firmware
