// What the setup wizard decides without widgets: its default identity, the start-mode and
// channel entries of its combo boxes, and the checks and conversions of its Parameter page.
//
// Pure functions of plain inputs; UI thread or any other.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/identity/module_identity.h"

namespace netloom::model {

// The identity the wizard shows until the module's own has been read.
link::ModuleIdentity DefaultWizardIdentity();

// How the wizard names the module its exchanges address: "local module on <port>" for
// link::kNoAddress, else "node <address> through the coordinator".
std::string IdentityTargetName(std::string_view target, std::string_view portName);

// Start mode combo box: "AT Command", "P2P MODE", "Star MODE".
inline constexpr std::array<std::string_view, 3> kStartModeEntries = {"AT Command", "P2P MODE",
                                                                      "Star MODE"};
// The entry a module's start mode shows as: 0 and the undefined 2 and 3 as "AT Command", 1 as
// "P2P MODE", 4 and above as "Star MODE".
int StartModeEntry(std::int32_t startMode);
// The start mode an entry stores: 0, 1 or 4 (star mode).
std::int32_t StartModeOfEntry(int entry);

// Channel combo box: "B" to "1A", entry index + kFirstChannel is the channel.
inline constexpr std::int32_t kFirstChannel = 11;
std::vector<std::string> ChannelEntries();

// Device type of the Type page's radio buttons (0 Coordinator, 1 Router, 2 EndDevice); an
// identity's type outside 0..2 selects none (-1).
int DeviceTypeButton(std::int32_t deviceType);

// The result of a focus-out check: the messages to show in order, and whether the focus goes
// back into the edit.
struct FieldCheck {
  std::vector<std::string_view> messages;
  bool refocus = false;
  bool operator==(const FieldCheck&) const = default;
};

inline constexpr std::string_view kPanIdLengthMessage = "Please input 4 word";
inline constexpr std::string_view kPanIdDigitMessage = "Please input 0 to 9 or A to F (a to f)";
inline constexpr std::string_view kNameTooLongMessage = "Please Less than 16 word";
inline constexpr std::string_view kNameEmptyMessage = "Please setting DeviceName";
inline constexpr std::string_view kNameSpaceMessage = "Don't input space to DeviceName";

// The PAN ID edit lost the focus: exactly four characters, of which the first four are
// hexadecimal digits.
FieldCheck CheckPanIdText(std::string_view text);
// The device name edit lost the focus: 1 to 16 characters, no space.
FieldCheck CheckDeviceNameText(std::string_view text);

// The PAN ID the first four characters stand for, most significant first (either case); the
// caller has made sure they are hexadecimal digits (PanIdUsable).
std::int32_t PanIdOf(std::string_view text);
// Next can take the text: its first four characters are hexadecimal digits (a longer text is cut
// to them).
bool PanIdUsable(std::string_view text);

}  // namespace netloom::model
