#include "core/sim/wire/hex_record.h"

#include <numeric>

#include "core/sim/wire/boot_loader_bytes.h"

namespace netloom::sim::wire {
namespace {

constexpr std::uint8_t kLastKind = static_cast<std::uint8_t>(RecordKind::LinearStart);
constexpr std::size_t kDataStart = 5;  // colon, count, address (2), kind

}  // namespace

std::optional<Record> RecordOf(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < RecordLength(0) || bytes[0] != kRecordStart ||
      bytes.size() != RecordLength(bytes[1]) || bytes[4] > kLastKind) {
    return std::nullopt;
  }
  const unsigned sum = std::accumulate(bytes.begin() + 1, bytes.end(), 0u);
  if ((sum & 0xFF) != 0) return std::nullopt;
  Record record;
  record.kind = static_cast<RecordKind>(bytes[4]);
  record.address = static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]);
  record.data.assign(bytes.begin() + kDataStart, bytes.end() - 1);
  return record;
}

}  // namespace netloom::sim::wire
