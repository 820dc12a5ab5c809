// The boot loader's own bytes, besides the control bytes (control_bytes.h) it shares with the
// configuration transfers.
#pragma once

#include <cstdint>
#include <string_view>

namespace netloom::sim::wire {

inline constexpr std::uint8_t kIdentifyRequest = 'Y';  // the host asks who is there
inline constexpr std::uint8_t kVerifiedMark = 'V';     // the uploaded image checked out
inline constexpr std::uint8_t kCancelRequest = 'N';    // the host gives the upgrade up
inline constexpr std::uint8_t kRecordStart = ':';      // a HEX record follows

// What the boot loader answers the identification request with.
inline constexpr std::string_view kIdentification = "Harbinor Wireless Inc.";

}  // namespace netloom::sim::wire
