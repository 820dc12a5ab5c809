// The main frame's command tables: every command with its menu text and keys, the looks, the
// toolbars and the docking panes, and which commands have no handler or need a document.
#pragma once

#include <QKeySequence>
#include <array>
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

struct ToolBarSpec {
  int id;
  int titleString;
  const char* objectName;
  std::vector<int> items;  // kSeparator between groups
};
inline constexpr int kSeparator = 0;
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
