#include "gui/model/upgrade_hints.h"

#include <string_view>

#include "core/firmware/hex_file_reader.h"
#include "core/firmware/upgrade_texts.h"

namespace netloom::model {
namespace {

// How the port layer words a port that another opener holds (exclusive opening).
constexpr std::string_view kHeldReason = "in use by another program";

std::string Hint(std::string_view text) {
  using namespace firmware;
  if (text == kNoTargetMessage)
    return "No boot loader answered at 115200 baud. Press \"Upgrade Mode\" first (the module "
           "takes six seconds to restart into its boot loader), or check the cable and the port.";
  if (text == kNoResponseMessage)
    return "The boot loader stopped answering during the upload. Check the cable and the "
           "power, then press \"Cancel\" to return the module to AT command mode, or "
           "\"Upgrade Mode\" and \"Upgrade\" to start again.";
  if (text == kChecksumErrorMessage)
    return "The boot loader refused a line of the file. The file may be damaged (see the "
           "preview for broken lines), or the line was garbled on the cable. Press \"Cancel\" "
           "to return the module to AT command mode.";
  if (text == kCantOpenUpgradePortMessage)
    return "Check that the module is plugged in and that the port in the title is its port "
           "(\"UART\" chooses another).";
  if (text == kCantUseFileMessage) return "Check that the file exists and can be read.";
  if (text == kFormatErrorMessage || text == kLineTooLongMessage)
    return "The file is not an Intel HEX file as the boot loader takes it: see the preview for "
           "the line.";
  if (text == kNoFilePathMessage)
    return "Choose a file whose name ends in \".hex\" or \".hxf\" (in lower case) with "
           "\"Browse\".";
  return {};
}

std::string Joined(std::string hint, const std::string& detail) {
  if (detail.empty()) return hint;
  return hint.empty() ? detail : hint + "\n\n" + detail;
}

}  // namespace

ShownUpgradeMessage ShowUpgradeMessage(const firmware::UpgradeMessage& message,
                                       const std::string& portName) {
  if (message.detail.find(kHeldReason) != std::string::npos) {
    // The port never opened: the message stays, the detail says why (whoever holds it).
    return {message.text,
            Joined(portName +
                       " is open elsewhere: another program, or a network window of this "
                       "program that is connected to it, holds it. Close it or disconnect there, "
                       "then try again.",
                   message.detail)};
  }
  return {message.text, Joined(Hint(message.text), message.detail)};
}

}  // namespace netloom::model
