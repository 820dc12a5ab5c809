// The ATNAMEREQ reply as the walk reads it: byte by byte until a name comes out.
#include <cstdlib>

#include "core/link/walk/net_info_parser.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  netloom::link::NameReader reader;
  for (std::size_t i = 0; i < size; ++i) {
    if (const auto name = reader.Feed(data[i])) {
      if (name->size() > netloom::link::kMaxNodeNameLength) std::abort();
      break;
    }
  }
  return 0;
}
