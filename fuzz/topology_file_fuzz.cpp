// A topology file's text as the virtual module loads it.
#include <cstdlib>

#include "core/sim/topology_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto result = netloom::sim::ParseTopology({reinterpret_cast<const char*>(data), size});
  // Either a network or a reason, never both or neither.
  if (result.network.has_value() == !result.error.empty()) std::abort();
  return 0;
}
