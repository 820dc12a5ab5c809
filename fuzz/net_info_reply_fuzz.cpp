// The ATNETINFO reply as the walk reads it: byte by byte until the parser stops.
#include <cstdlib>

#include "core/link/walk/net_info_parser.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using netloom::link::ReplyState;
  netloom::link::NetInfoParser parser;
  for (std::size_t i = 0; i < size; ++i) {
    if (parser.Feed(data[i]) != ReplyState::Reading) break;
  }
  if (parser.State() == ReplyState::Complete) {
    // A complete record has a four-digit address and no more children than entries announced.
    const auto& record = parser.Record();
    if (record.address.size() != 4) std::abort();
    if (record.children.size() > static_cast<std::size_t>(std::max(record.entryCount, 0))) {
      std::abort();
    }
  }
  return 0;
}
