// The texts the configuration transfers show the user, exactly as the module's users know them
// (their spelling included). Each ends one transfer; the remote set-up's texts are in
// remote_set_up.h.
#pragma once

#include <string>
#include <string_view>

namespace netloom::link {

// Read: three empty reads for one byte (also when the byte after the final EOT is missing).
inline constexpr std::string_view kConfigReadTimeout = "Config read timeout.";
// Both: more than 20 noise bytes, a 17th address character in the write's header, or a
// character that is no hex digit where hex digits must come.
inline constexpr std::string_view kConfigFormatError =
    "Config: data format error. Please check baud rate.";
// Read: a frame length of 0, above 64, or more than the image has room for.
inline constexpr std::string_view kDataLengthError = "Data's length is error";
// Read: a frame checksum mismatch.
inline constexpr std::string_view kFrameChecksumError = "Checksum error!!";
// Read: the image checksum does not hold.
inline constexpr std::string_view kImageChecksumError = "Read data Checksum error!!";
// Write: three empty reads for one byte of the module's header.
inline constexpr std::string_view kConfigHeaderTimeout =
    "Config: Read timeout. Please check connection.";
// Write: EOT with other than 16 address characters in the header.
inline constexpr std::string_view kMacAddressError = "Read MAC address error";
// Write: ESC after a frame.
inline constexpr std::string_view kSendChecksumError = "Send checksum error!";
// Write: no ACK for a frame.
inline constexpr std::string_view kFrameAckTimeout = "Config read timeout!";
// Write: NAK after EOT.
inline constexpr std::string_view kEndChecksumError = "Config checksum error!(End data)";
// Write: three empty reads in a cycle after EOT.
inline constexpr std::string_view kEndTimeout = "Config timeout!(End data)";
// Write: more than 20 cycles after EOT.
inline constexpr std::string_view kEndCycleTimeout = "Config read timeout!(End data)";
// Write: the module took the image.
inline constexpr std::string_view kWritingFinished =
    "Writing finished!\r\nPlease reset the unit for the parameters to take effect.";

// A decoded image of another version ("to"), and a write header of another version ("is").
std::string ReadVersionError();
std::string WriteVersionError();

}  // namespace netloom::link
