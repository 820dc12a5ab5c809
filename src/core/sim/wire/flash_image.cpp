#include "core/sim/wire/flash_image.h"

namespace netloom::sim::wire {
namespace {

// A base record's value: its two data bytes, high first.
std::uint32_t BaseValue(const Record& record) {
  if (record.data.size() != 2) return 0;
  return static_cast<std::uint32_t>(record.data[0] << 8 | record.data[1]);
}

}  // namespace

void FlashImage::Apply(const Record& record) {
  switch (record.kind) {
    case RecordKind::Data:
      for (std::size_t k = 0; k < record.data.size(); ++k) {
        bytes_[base_ + record.address + static_cast<std::uint32_t>(k)] = record.data[k];
      }
      return;
    case RecordKind::SegmentBase:
      base_ = BaseValue(record) << 4;
      return;
    case RecordKind::LinearBase:
      base_ = BaseValue(record) << 16;
      return;
    case RecordKind::EndOfFile:
    case RecordKind::SegmentStart:
    case RecordKind::LinearStart:
      return;
  }
}

}  // namespace netloom::sim::wire
