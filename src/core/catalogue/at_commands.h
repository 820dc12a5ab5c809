// The AT command table of the console: 56 read-only command entries, the two tabs of the command
// tree ("Basic", "Advance") and the look-ups the console does on them.
//
// Command indices: 0..55 name a catalogue command; 56 (kNoCommand) no command; 57 "Send
// Message", 58 "Exit(+++)", 59 "Exit(---)" are the entries of the tree's console group.
//
// Ownership: the tables are constant data with static lifetime; spans and string_views returned
// here stay valid for the whole run. Threads: any thread may call everything in this header.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace netloom::catalogue {

inline constexpr int kCommandCount = 56;
inline constexpr int kNoCommand = 56;
inline constexpr int kSendMessage = 57;
inline constexpr int kExitPlus = 58;
inline constexpr int kExitMinus = 59;
inline constexpr int kRtcCommand = 46;
inline constexpr std::size_t kMaxParams = 6;

struct AtCommandEntry {
  std::string_view name;                            // command word without "AT", upper case
  std::int32_t paramCount;                          // 0..6
  std::array<std::int32_t, kMaxParams> paramKinds;  // first paramCount used, in line order
  std::string_view paramText;  // parameter summary, lines separated by CR LF; not displayed
  std::string_view helpText;   // one-line description; not displayed

  std::span<const std::int32_t> Kinds() const {
    return std::span<const std::int32_t>(paramKinds).first(static_cast<std::size_t>(paramCount));
  }
};

std::span<const AtCommandEntry, kCommandCount> AtCommands();

// "AT" followed by the command's name ("ATINFO"); empty for an index outside 0..55.
std::string TreeText(int command);

// The first command (0..55, table order) whose tree text equals `text` ignoring case;
// kNoCommand when none does.
int CommandByTreeText(std::string_view text);

// A group of the command tree as stored: its title and command indices, some of which the tree
// never shows (ShownInTree).
struct CommandGroup {
  std::string_view title;
  std::span<const int> commands;
};

std::span<const CommandGroup> BasicCommandGroups();    // five groups
std::span<const CommandGroup> AdvanceCommandGroups();  // seven groups

// False for the indices the tree skips wherever they are stored (3, 4, 6, 28, 56).
bool ShownInTree(int command);

// The console group that ends both tabs; its entries are commands 57, 58, 59 in this order.
inline constexpr std::string_view kConsoleGroupTitle = "Console Command";
inline constexpr std::array<std::string_view, 3> kConsoleEntries = {"Send Message", "Exit(+++)",
                                                                    "Exit(---)"};

enum class CommandTab { Basic, Advance };

// One root item of the command tree with the texts of its children, in display order.
struct TreeGroup {
  std::string title;
  std::vector<std::string> items;
};

// The whole tree of a tab as the console shows it: the tab's groups without the skipped
// commands, then the console group.
std::vector<TreeGroup> CommandTree(CommandTab tab);

// The command a selected tree item stands for: a console entry text (exact) gives 57..59,
// otherwise CommandByTreeText (group titles give kNoCommand).
int PickCommand(std::string_view itemText);

}  // namespace netloom::catalogue
