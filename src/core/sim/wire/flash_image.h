// The memory the boot loader writes from the records it takes: data records land at their
// address plus the base the latest segment or linear base record set.
#pragma once

#include <cstdint>
#include <map>

#include "core/sim/wire/hex_record.h"

namespace netloom::sim::wire {

class FlashImage {
 public:
  void Apply(const Record& record);
  // Written bytes by address.
  const std::map<std::uint32_t, std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::map<std::uint32_t, std::uint8_t> bytes_;
  std::uint32_t base_ = 0;
};

}  // namespace netloom::sim::wire
