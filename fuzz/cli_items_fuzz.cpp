// The document `config write --from` reads, parsed and applied to a value table as the write
// applies it, then encoded into the image the write would send.
#include <cstdlib>

#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_tables.h"
#include "core/link/config/config_image.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom;
  std::string error;
  const auto items =
      catalogue::ParseProfile({reinterpret_cast<const char*>(data), size}, "fuzz", error);
  if (!items) {
    if (error.empty()) std::abort();  // refused without a reason
    return 0;
  }
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  for (const auto& [item, text] : *items) {
    if (item < 0 || item >= catalogue::kItemCount) std::abort();
    if (!table.Set(item, text).accepted()) return 0;
  }
  link::EncodeImage(table);
  return 0;
}
