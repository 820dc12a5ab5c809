// The configuration read as the transfer takes it: frames into the image receiver until EOT or a
// failure, then the image decoded into a value table and encoded back, as the Parameters pane
// and the next write would.
#include "core/catalogue/value_tables.h"
#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using netloom::link::FeedResult;
  netloom::link::ImageReceiver receiver;
  FeedResult result = FeedResult::More;
  for (std::size_t i = 0; i < size; ++i) {
    result = receiver.Feed(data[i]);
    if (result == FeedResult::Ended || result == FeedResult::Failed) break;
  }
  netloom::catalogue::ConfigValueTable table;
  table.LoadDefaults();
  netloom::link::DecodeImage(receiver.Image(), table);
  netloom::link::EncodeImage(table);
  return 0;
}
