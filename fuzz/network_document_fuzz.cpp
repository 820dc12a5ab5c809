// A saved network's text as Open reads it.
#include <cstdlib>

#include "core/network/network_document.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto result = netloom::network::ReadNetworkDocument(text);
  // Either a document or a reason, never both or neither.
  if (result.document.has_value() == !result.error.empty()) std::abort();
  // What was read writes out and reads back the same.
  if (result.document) {
    const std::string again = netloom::network::WriteNetworkDocument(*result.document);
    const auto reread = netloom::network::ReadNetworkDocument(again);
    if (!reread.document || netloom::network::WriteNetworkDocument(*reread.document) != again) {
      std::abort();
    }
  }
  return 0;
}
