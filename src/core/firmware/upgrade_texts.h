// The upgrade's own texts: the messages a user is shown and the lines of the upgrade log.
#pragma once

#include <string>
#include <string_view>

#include "core/link/serial/uart_settings.h"

namespace netloom::firmware {

// Messages (a message box in the dialog, the error line of the CLI).
inline constexpr std::string_view kCantOpenUpgradePortMessage = "Can't open this COM Port~!!";
inline constexpr std::string_view kNoFilePathMessage = "Please input file path!!";
inline constexpr std::string_view kNoTargetMessage =
    "Upgrade timeout: cannot communicate with target.";
inline constexpr std::string_view kNoResponseMessage = "Upgrade timeout: no response from target";
inline constexpr std::string_view kChecksumErrorMessage = "The upgrade checksum error!";
inline constexpr std::string_view kUpgradeFinishedMessage = "Upgrade finish~!!";
// The detail under "Upgrade finish~!!" when the module did not answer its return.
inline constexpr std::string_view kNoAtModeAnswerHint =
    "The module did not answer OK to \"ATUPGRADE 0\" and \"ATRESET\" at 9600 baud: it may still "
    "be in its boot loader. Check that it answers in a network window at 9600 baud before you "
    "use it; if it does not, press \"Upgrade Mode\" and \"Upgrade\" to upload again.";
inline constexpr std::string_view kFixedRatePortMessage =
    "This port cannot change its baud rate (a raw TCP port); the upgrade needs 115200 baud. "
    "Choose the gateway's rfc2217:// port.";

// Log lines.
inline constexpr std::string_view kWaitingForResetLog = "\r\nWaiting 5 sec to reset";
inline constexpr std::string_view kUpgradeModeLog =
    "\r\nUpgrade Mode\r\nBaud Rate change to 115200\r\n";
inline constexpr std::string_view kEndOfTransmissionLog = "End of transmission\r\n";
inline constexpr std::string_view kVerifyOkLog = "Verify ok\r\n";
inline constexpr std::string_view kVerifyFailLog = "Verify fail\r\n";
inline constexpr std::string_view kFinishLog =
    "\r\nAT Command Mode\r\nBaud Rate change to 9600\r\n";
inline constexpr std::string_view kCancelLog = "\r\nAT Command Mode\r\n";

// True when the path names a firmware file: it contains ".hex" or ".hxf" anywhere, in lower
// case (a folder name counts; capitals do not).
bool LooksLikeFirmwarePath(std::string_view path);

// The log line for new UART settings: port, baud rate, byte size, parity, stop bits and flow
// control, for example "/dev/ttyUSB0 9600 8-None-1 FLOW:None\r\n".
std::string UartLogLine(std::string_view portName, const link::UartSettings& settings);

}  // namespace netloom::firmware
