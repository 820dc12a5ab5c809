// The module's header before a configuration write, byte by byte until it ends or fails.
#include "core/link/config/config_frames.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using netloom::link::FeedResult;
  netloom::link::HeaderReceiver receiver;
  for (std::size_t i = 0; i < size; ++i) {
    const FeedResult result = receiver.Feed(data[i]);
    if (result == FeedResult::Ended || result == FeedResult::Failed) break;
  }
  return 0;
}
