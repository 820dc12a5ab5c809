// The module's boot-loader protocol: its wire bytes, its identification and its line rates.
// Shared by the upgrade procedure and the virtual module's boot loader.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace netloom::firmware {

inline constexpr std::uint8_t kIdentifyRequest = 0x59;  // 'Y', to the module
inline constexpr std::uint8_t kStx = 0x02;              // ready for the next frame
inline constexpr std::uint8_t kAck = 0x06;              // frame accepted
inline constexpr std::uint8_t kNak = 0x15;              // frame rejected (checksum)
inline constexpr std::uint8_t kEot = 0x04;              // end of transmission
inline constexpr std::uint8_t kVerified = 0x56;         // 'V': verification passed
inline constexpr std::uint8_t kAbandon = 0x4E;          // 'N', to the module: upgrade cancelled

// The start of the boot loader's reply to kIdentifyRequest.
inline constexpr std::string_view kIdentification = "Harbinor Wireless Inc.";

inline constexpr std::uint32_t kUpgradeBaudRate = 115200;  // the boot loader's line rate
inline constexpr std::uint32_t kAtModeBaudRate = 9600;     // a freshly upgraded module's rate

// AT commands around the boot loader. Cancel sends its two with a trailing space.
inline constexpr std::string_view kUpgradeOnCommand = "ATUPGRADE 1\r";
inline constexpr std::string_view kUpgradeOffCommand = "ATUPGRADE 0\r";
inline constexpr std::string_view kResetCommand = "ATRESET\r";

// True when `reply` starts with the identification string (more may follow).
inline bool IsIdentification(std::span<const std::uint8_t> reply) {
  return reply.size() >= kIdentification.size() &&
         std::string_view(reinterpret_cast<const char*>(reply.data()), kIdentification.size()) ==
             kIdentification;
}

// How a byte the boot loader sends outside the protocol appears in the upgrade log: printable
// characters, CR and LF as themselves, anything else as two upper-case hex digits and a space.
std::string LoggedByte(std::uint8_t byte);

}  // namespace netloom::firmware
