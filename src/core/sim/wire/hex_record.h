// An Intel HEX record as the boot loader receives it: the colon, then the record's bytes (count,
// address high and low, type, count data bytes, checksum), the hex text already turned into
// bytes by the host. The checksum makes the bytes after the colon sum to zero modulo 256.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace netloom::sim::wire {

enum class RecordKind : std::uint8_t {
  Data = 0,
  EndOfFile = 1,
  SegmentBase = 2,   // bits 4..19 of the addresses that follow
  SegmentStart = 3,  // where the program starts; the loader keeps no note of it
  LinearBase = 4,    // bits 16..31 of the addresses that follow
  LinearStart = 5,   // where the program starts; the loader keeps no note of it
};

struct Record {
  RecordKind kind = RecordKind::Data;
  std::uint16_t address = 0;
  std::vector<std::uint8_t> data;
};

// Bytes of the whole record, colon included, whose count byte is `count`.
constexpr std::size_t RecordLength(std::uint8_t count) {
  return 1 + 1 + 2 + 1 + std::size_t{count} + 1;
}

// The record `bytes` hold; nothing when they do not start with the colon, their length is not
// the one the count gives, the kind is unknown or the checksum is wrong.
std::optional<Record> RecordOf(std::span<const std::uint8_t> bytes);

}  // namespace netloom::sim::wire
