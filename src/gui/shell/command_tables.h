// The main frame's command tables: every command with its menu text and keys, the looks, the
// menus of both menu sets, the toolbars and the docking panes, and which commands have no
// handler or need a document.
#pragma once

#include <QKeySequence>
#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "gui/res/resource_ids.h"

namespace netloom::shell {

struct ActionSpec {
  int id;
  const char* text;
  std::vector<QKeySequence> keys;
  bool checkable = false;
};

// Every command of both menu sets and the toolbars.
std::span<const ActionSpec> ActionSpecs();

// View > Application Look, in menu order.
struct LookItem {
  int id;
  const char* text;
};
inline constexpr std::array<LookItem, 9> kLookItems{{
    {res::kLookWindows2000, "Windows &2000"},
    {res::kLookOfficeXp, "Office &XP"},
    {res::kLookWindowsXp, "&Windows XP"},
    {res::kLookOffice2003, "Office 200&3"},
    {res::kLookVisualStudio2005, "Visual Studio.NET 200&5"},
    {res::kLookOffice2007Blue, "&Blue Style"},
    {res::kLookOffice2007Black, "B&lack Style"},
    {res::kLookOffice2007Silver, "&Silver Style"},
    {res::kLookOffice2007Aqua, "&Aqua Style"},
}};

inline constexpr int kSeparator = 0;

// The two menu sets: with a network document open (130) and without one (128).
enum class MenuSet : std::uint8_t { Document = 1, Empty = 2, Both = 3 };
inline bool InMenuSet(MenuSet entry, MenuSet set) {
  return (static_cast<std::uint8_t>(entry) & static_cast<std::uint8_t>(set)) != 0;
}
// A menu whose entries are made each time it opens, by the main frame.
enum class MenuFill : std::uint8_t {
  None,
  ToolBarsAndPanes,  // each toolbar's and pane's show/hide, then Customize
  Windows,           // New Window, each document window, Windows...
  RecentFiles,       // the files opened or saved lately
};
// A menu entry: a command (`id`), a separator (kSeparator), or a submenu (`title` set).
struct MenuEntry {
  int id = kSeparator;
  MenuSet set = MenuSet::Both;
  const char* title = nullptr;
  std::vector<MenuEntry> entries;
  MenuFill fill = MenuFill::None;
};
// The menu bar's menus, in order; each shows in the sets its `set` names.
std::span<const MenuEntry> MenuSpecs();

struct ToolBarSpec {
  int id;
  int titleString;
  const char* objectName;
  std::vector<int> items;  // kSeparator between groups
};
// The standard, Setup and Diagram toolbars.
std::span<const ToolBarSpec> ToolBarSpecs();

struct PaneSpec {
  int id;
  const char* title;
};
inline constexpr std::array<PaneSpec, 3> kPanes{{
    {res::kViewParameters, "Parameters"},
    {res::kViewConsole, "AT Console"},
    {res::kViewGadgetTool, "Gadget Tool"},
}};

// The commands routed to the active network document's frame.
inline constexpr std::array<int, 12> kNetworkCommands = {
    res::kUartSetting, res::kConnect, res::kDisconnect,  res::kRun,
    res::kStop,        res::kWizard,  res::kRefreshTime, res::kTextClear,
    res::kUpgrade,     res::kTree,    res::kCircle,      res::kCentreOnCoordinator};

// Commands without a handler in the program: always disabled.
bool WithoutHandler(int id);
// Commands that need an active network document.
bool NeedsDocument(int id);

}  // namespace netloom::shell
