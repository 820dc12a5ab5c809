// The ATINFOI reply as the identity read takes it, byte by byte until the parser stops.
#include <cstdlib>

#include "core/link/identity_reply.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using netloom::link::IdentityState;
  netloom::link::IdentityReplyParser parser({});
  for (std::size_t i = 0; i < size; ++i) {
    if (parser.Feed(data[i]) != IdentityState::Reading) break;
  }
  if (parser.State() == IdentityState::Complete) {
    // What a complete reply gives must be writable back to a module as it is.
    if (netloom::link::CheckRequestedIdentity(parser.Identity())) std::abort();
  } else if (parser.State() == IdentityState::Failed && parser.Message().empty()) {
    std::abort();  // a failure the user could not be told about
  }
  return 0;
}
