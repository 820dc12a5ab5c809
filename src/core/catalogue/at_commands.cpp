#include "core/catalogue/at_commands.h"

#include "core/catalogue/parameter_kinds.h"
#include "core/catalogue/text_case.h"

namespace netloom::catalogue {
namespace {

// clang-format off
constexpr std::array<AtCommandEntry, kCommandCount> kCommands = {{
    {"INFO", 0, {}, "NULL", "Retrieve product information and network parameters stored in S-registers"},  // 0
    {"SCAN", 0, {}, "NULL", "Scan for active channel and PAN"},  // 1
    {"EDSCAN", 2, {5, 9}, "Channel Mask(7FFF800)\r\nDuration(00 to 0F)", "Starts ED (Energy Detection) Scan and retrieves the Energy Level."},  // 2
    {"STARTPAN", 2, {4, 21}, "Channel(0B to 1A)\r\nPAN ID(0000 to FFFF)", "Start a PAN on the specified channel"},  // 3
    {"STARTRT", 0, {}, "NULL", "Start the device as a router"},  // 4
    {"STARTTC", 0, {}, "NULL", "Starts the device as a Trust Center"},  // 5
    {"JOIN", 2, {21, 10}, "PAN ID(0000 to FFFF)\r\nDevie Type(00 to 01)", "Join or quit the specified PAN"},  // 6
    {"LEAVE", 1, {18}, "MAC ADDR(16 word)", "Force the specified node to quit from the PAN"},  // 7
    {"RESET", 0, {}, "NULL", "Reset the device"},  // 8
    {"ADDR", 1, {18}, "MAC ADDR(16 word)", "Query for the 16-bit network address of a device given its IEEE 64-bit address"},  // 9
    {"IEEE", 1, {2}, "Network address(0000 to FFFF)", "Request the IEEE 64-bit address of+ the device"},  // 10
    {"DESCREQ", 1, {2}, "Network address(0000 to FFFF)", "Query the Node Descriptor of a device"},  // 11
    {"EPREQ", 1, {2}, "Network address(0000 to FFFF)", "Query for a list of active endpoints of a device"},  // 12
    {"EDREQ", 3, {2, 5, 9}, "Network address(0000 to FFFF)\r\nChannel Mask(7FFF800)\r\nDuration(00 to 0F)", "Request for an ED scan"},  // 13
    {"CHGCH", 1, {4}, "Channel(0B to 1A)", "Request all devices in the network to change to a different channel"},  // 14
    {"PING", 2, {2, 29}, "Network address(0000 to FFFF)\r\nTime out(00000000~FFFFFFFF)", "Ping device in the same PAN"},  // 15
    {"WAKEUP", 0, {}, "NULL", "Wake up from Sleep mode (end device only)"},  // 16
    {"SLEEP", 0, {}, "NULL", "Enter Sleep mode (end device only)"},  // 17
    {"SYNC", 0, {}, "NULL", "Synchronize to the associated coordinator for a beacon-enabled PAN, or transmit a " "POLL request to the associated parent device for a PAN not beacon-enabled (end device " "only)"},  // 18
    {"POLL", 1, {23}, "PERIOD Time(0 to 65535(dec)) X 10msec ", "Start polling to parent device periodically"},  // 19
    {"RTDISCOVER", 1, {2}, "Network address(0000 to FFFF)", "Initiate a route discovery request to the address specified"},  // 20
    {"ADDGRP", 2, {14, 12}, "Group ID(0000 to FFFF)\r\nEndpoint(01 to FE)", "Register the endpoint of the device itself into the group ID specified"},  // 21
    {"RMGRP", 2, {14, 12}, "Group ID(0000 to FFFF)\r\nEndpoint(01 to FE)", "Delete the endpoint from the group ID registered"},  // 22
    {"_RE_DESCREQ", 0, {}, "Error ATcommand", "Retrieve the Node Descriptor of a device"},  // 23
    {"_RE_EPREQ", 0, {}, "Error ATcommand", "Retrieve a list of valid endpoints on the device specified"},  // 24
    {"TXDATAU", 5, {1, 13, 2, 7, 6}, "Acknowledgment(0 to 1)\r\nGroup(0 to 1)\r\nNetwork address(0000 to FFFF)\r\nDATA " "length(00 to 40)\r\nData content(Small than 64 work)", "Transmit data using Unicast to the specified device"},  // 25
    {"TXDATAB", 2, {7, 6}, "DATA length(00 to 40)\r\nData content(Small than 64 work)", "Transmit data using Broadcast"},  // 26
    {"TXEACK", 1, {2}, "Network address(0000 to FFFF)", "Transmit EAK using Unicast to specified device"},  // 27
    {"RXDATA", 0, {}, "NULL", "Receives data from buffer of device"},  // 28
    {"SENDNWKKEY", 3, {30, 27, 19}, "Target MAC address(16 word)\r\nKey ID(00 to FF)\r\nNetwork Key(32 word)", "Transport network key used for encryption"},  // 29
    {"SWITCHKEY", 2, {30, 27}, "Target MAC address(16 word)\r\nKey ID(00 to FF)", "Switch to use a different network key for encryption"},  // 30
    {"REQUESTKEY", 2, {18, 32}, "MAC address(16 word)\r\nKey Type", "Retrieve an application link key from the Trust Center"},  // 31
    {"CLRNWKKEY", 0, {}, "NULL", "Clear network key"},  // 32
    {"CLRLINKKEY", 0, {}, "NULL", "Initialize the application link key"},  // 33
    {"SETNWKKEY", 1, {19}, "Network Key(32 word)", "Register a preconfigured key"},  // 34
    {"SETLINKKEY", 2, {18, 19}, "MAC address(16 word)\r\nLink Key(32 word)", "Register an application link key onto the local device"},  // 35
    {"RMDEV", 2, {25, 30}, "Parent MAC address(16 word)\r\nTarget MAC address(16 word)", "Remove a device from the network"},  // 36
    {"NEIGHBOR", 0, {}, "NULL", "Display the contents of neighbor table"},  // 37
    {"CONSOLE", 2, {2, 17}, "Network address & Group ID (0000 to FFFF)\r\nMODE(00 to 01)", "Enter Virtual mode"},  // 38
    {"STRPERDATA", 0, {}, "NULL", "Store network parameters to local persistent memory area"},  // 39
    {"NETINFO", 2, {2, 23}, "Network address(0000 to FFFF)\r\nPERIOD Time(0 to 65535(dec)) X 10msec", "Query all devices for networking information"},  // 40
    {"NETRECOVER", 0, {}, "NULL", "Restore network state from stored information"},  // 41
    {"SREG", 2, {28, 20}, "ID of SREG(00 to 3F)\r\nValue :\r\n   Write : Parameter's range\r\n   Read : NULL", "Read or write S-registers"},  // 42
    {"ALARM", 3, {15, 16, 31}, "Hour(00~23 dec)\r\nMinute(00~59 dec)", ""},  // 43
    {"PERIOD", 1, {24}, "", ""},  // 44
    {"DUMP", 1, {8}, "", ""},  // 45
    {"RTC", 1, {26}, "NULL", "Check Real-Time Counter"},  // 46
    {"JOINP2P", 1, {3}, "Network address(0000 to FFFE)", ""},  // 47
    {"JOINGRP", 2, {3, 14}, "Network address(0000 to FFFE)\r\nGroup ID(0000 to FFFF)", ""},  // 48
    {"JOINSTAR", 1, {3}, "Network address(0000 to FFFE)", ""},  // 49
    {"FINDDEVICE", 1, {11}, "", ""},  // 50
    {"DEST", 2, {2, 17}, "Network address & Group ID (0000 to FFFF)\r\nMODE(00 to 01)", "Enter Virtual mode by it self"},  // 51
    {"VERSION", 0, {}, "NULL", "See the version"},  // 52
    {"POWER", 1, {22}, "", ""},  // 53
    {"SENDLINKKEY", 4, {18, 18, 19, 33}, "MAC address(16 word)\r\nMAC address(16 word)\r\nNetwork Key(32 word)\r\nInitial Value", "Transport network key used for encryption"},  // 54
    {"ZCLONOFF", 2, {2, 34}, "Network address & Group ID (0000 to FFFF)\r\nMODE(00 to 01)", "Enter Virtual mode"},  // 55
}};
// clang-format on

constexpr bool AllCommandsFit() {
  for (const AtCommandEntry& entry : kCommands) {
    if (entry.name.size() > kMaxNameLength || entry.paramText.size() > kMaxTextLength ||
        entry.helpText.size() > kMaxTextLength || entry.paramCount < 0 ||
        static_cast<std::size_t>(entry.paramCount) > kMaxParams) {
      return false;
    }
    for (std::int32_t kind : entry.paramKinds) {
      if (kind < 0 || kind >= kKindCount) return false;
    }
  }
  return true;
}
static_assert(AllCommandsFit(), "a command entry exceeds the catalogue's field limits");

constexpr int kBasicInformation[] = {0, 46, 52};
constexpr int kBasicNetworking[] = {8};
constexpr int kBasicTransmission[] = {25, 26, 27};
constexpr int kBasicManagement[] = {14, 37};
constexpr int kBasicVirtual[] = {38};

constexpr CommandGroup kBasicGroups[] = {
    {"Hardware Information", kBasicInformation},
    {"Networking", kBasicNetworking},
    {"Data Transmission", kBasicTransmission},
    {"Network Management", kBasicManagement},
    {"Virtual Mode", kBasicVirtual},
};

constexpr int kAdvanceInformation[] = {0, 42, 45, 46, 52};
constexpr int kAdvanceNetworking[] = {1, 2, 3, 4, 6, 7, 8, 15, 18, 19, 20, 21, 22, 36, 47, 48, 49};
constexpr int kAdvancePower[] = {16, 17, 43, 44, 53};
constexpr int kAdvanceTransmission[] = {25, 26, 27, 28, 55};
constexpr int kAdvanceManagement[] = {14, 39, 41, 9, 10, 11, 12, 13, 40, 37, 50};
constexpr int kAdvanceSecurity[] = {29, 54, 30, 31, 32, 33, 34, 35};
constexpr int kAdvanceVirtual[] = {38, 51};

constexpr CommandGroup kAdvanceGroups[] = {
    {"Hardware Information", kAdvanceInformation},
    {"Networking", kAdvanceNetworking},
    {"Power Management", kAdvancePower},
    {"Data Transmission", kAdvanceTransmission},
    {"Network Management", kAdvanceManagement},
    {"Security", kAdvanceSecurity},
    {"Virtual Mode", kAdvanceVirtual},
};

}  // namespace

std::span<const AtCommandEntry, kCommandCount> AtCommands() {
  return kCommands;
}

std::string TreeText(int command) {
  if (command < 0 || command >= kCommandCount) return {};
  return "AT" + std::string(kCommands[command].name);
}

int CommandByTreeText(std::string_view text) {
  for (int c = 0; c < kCommandCount; ++c) {
    if (SameIgnoringCase(text, TreeText(c))) return c;
  }
  return kNoCommand;
}

std::span<const CommandGroup> BasicCommandGroups() {
  return kBasicGroups;
}
std::span<const CommandGroup> AdvanceCommandGroups() {
  return kAdvanceGroups;
}

bool ShownInTree(int command) {
  return command != 3 && command != 4 && command != 6 && command != 28 && command != kNoCommand;
}

std::vector<TreeGroup> CommandTree(CommandTab tab) {
  std::vector<TreeGroup> tree;
  for (const CommandGroup& group :
       tab == CommandTab::Basic ? BasicCommandGroups() : AdvanceCommandGroups()) {
    TreeGroup& shown = tree.emplace_back(TreeGroup{std::string(group.title), {}});
    for (int command : group.commands) {
      if (ShownInTree(command)) shown.items.push_back(TreeText(command));
    }
  }
  tree.push_back({std::string(kConsoleGroupTitle),
                  std::vector<std::string>(kConsoleEntries.begin(), kConsoleEntries.end())});
  return tree;
}

int PickCommand(std::string_view itemText) {
  for (std::size_t i = 0; i < kConsoleEntries.size(); ++i) {
    if (itemText == kConsoleEntries[i]) return kSendMessage + static_cast<int>(i);
  }
  return CommandByTreeText(itemText);
}

}  // namespace netloom::catalogue
