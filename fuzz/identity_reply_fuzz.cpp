// The ATINFOI reply as the identity read takes it, byte by byte until the parser stops.
#include <cstdlib>

#include "core/link/identity/identity_reply.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using netloom::link::IdentityState;
  netloom::link::IdentityReplyParser parser({});
  for (std::size_t i = 0; i < size; ++i) {
    if (parser.Feed(data[i]) != IdentityState::Reading) break;
  }
  if (parser.State() == IdentityState::Complete) {
    // A complete reply holds every field within its range. (Its name is the module's own: it
    // may hold blanks or control characters that a write would refuse, and the wizard says so.)
    const auto& identity = parser.Identity();
    if (identity.version != 2 || identity.channel < 11 || identity.channel > 26 ||
        identity.panId < 0 || identity.panId > 0xFFFF || identity.deviceType < 0 ||
        identity.deviceType > 2 || identity.startMode < 0 || identity.startMode > 4 ||
        identity.deviceName.empty() ||
        identity.deviceName.size() > netloom::link::kMaxDeviceNameLength) {
      std::abort();
    }
  } else if (parser.State() == IdentityState::Failed && parser.Message().empty()) {
    std::abort();  // a failure the user could not be told about
  }
  return 0;
}
