#include "gui/shell/command_tables.h"

namespace netloom::shell {

using namespace netloom::res;

std::span<const ActionSpec> ActionSpecs() {
  static const std::vector<ActionSpec> specs = {
      {kFileNew, "&New", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
      {kNewNetworkDocument, "ZigBee Command", {}},
      {kNewGadgetDocument, "Gadget Tool", {}},
      {kFileOpen, "&Open...\tCtrl+O", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
      {kFileClose, "&Close", {}},
      {kFileSave, "&Save\tCtrl+S", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
      {kFileSaveAs, "Save &As...", {}},
      {kFileSaveDiagramAs, "Save &Diagram As...", {}},
      {kFileSaveLog, "Save &Log...", {}},
      {kFilePrint, "&Print...\tCtrl+P", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
      {kFilePrintPreview, "Print Pre&view", {}},
      {kFilePrintSetup, "P&rint Setup...", {}},
      {kAppExit, "E&xit", {}},
      {kEditUndo,
       "&Undo\tCtrl+Z",
       {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
      {kEditCut,
       "Cu&t\tCtrl+X",
       {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
      {kEditCopy,
       "&Copy\tCtrl+C",
       {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
      {kEditPaste,
       "&Paste\tCtrl+V",
       {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
      {kViewToolbar, "&Toolbars and Docking Windows", {}},
      {kViewCustomize, "Customize...", {}},
      {kViewParameters, "&Parameters", {}, true},
      {kViewConsole, "AT Console", {}, true},
      {kViewSmartLed, "Smart LED", {}},
      {kViewStatusBar, "Status Bar", {}, true},
      {kViewGadgetTool, "Gadget Tool", {}, true},
      {kViewHex, "&Hex", {}, true},
      {kWindowNew, "&New Window", {}},
      {kWindowManager, "&Windows...", {}},
      {kUartSetting, "&UART Setting", {}},
      {kConnect, "&Connect", {}},
      {kDisconnect, "&Disconnect", {}},
      {kWizard, "&Wizard", {}},
      {kRun, "&Run", {}},
      {kStop, "&Stop", {}},
      {kTree, "&Tree", {}, true},
      {kCircle, "&Circle", {}, true},
      {kRefreshTime, "Refresh Time", {}},
      {kCentreOnCoordinator, "Centre on C&oordinator\tHome", {QKeySequence(Qt::Key_Home)}},
      {kTextClear, "Text Clear", {}},
      {kUpgrade, "Upgrade", {}},
      {kAppAbout, "&About Netloom...", {}},
  };
  return specs;
}

std::span<const MenuEntry> MenuSpecs() {
  constexpr MenuSet kDocument = MenuSet::Document;
  // A command, or with kSeparator a separator.
  const auto command = [](int id, MenuSet set = MenuSet::Both) {
    MenuEntry entry;
    entry.id = id;
    entry.set = set;
    return entry;
  };
  const MenuEntry separator = command(kSeparator);
  const auto submenu = [](const char* title, std::vector<MenuEntry> entries,
                          MenuFill fill = MenuFill::None, MenuSet set = MenuSet::Both) {
    return MenuEntry{kSeparator, set, title, std::move(entries), fill};
  };
  static const std::vector<MenuEntry> menus = {
      submenu("&File",
              {submenu("&New", {command(kNewNetworkDocument), command(kNewGadgetDocument)}),
               command(kFileOpen), command(kFileClose), command(kFileSave, kDocument),
               command(kFileSaveAs, kDocument), command(kFileSaveLog, kDocument),
               command(kFileSaveDiagramAs, kDocument), command(kSeparator, kDocument),
               command(kFilePrint, kDocument), command(kFilePrintPreview, kDocument),
               command(kFilePrintSetup), separator,
               submenu("Recent &Files", {}, MenuFill::RecentFiles), separator, command(kAppExit)}),
      submenu("&Edit",
              {command(kEditUndo), separator, command(kEditCut), command(kEditCopy),
               command(kEditPaste)},
              MenuFill::None, kDocument),
      submenu("&View",
              {submenu("&Toolbars and Docking Windows", {}, MenuFill::ToolBarsAndPanes),
               submenu("&Application Look",
                       {command(kLookWindows2000), command(kLookOfficeXp), command(kLookWindowsXp),
                        command(kLookOffice2003), command(kLookVisualStudio2005),
                        submenu("Office 200&7",
                                {command(kLookOffice2007Blue), command(kLookOffice2007Black),
                                 command(kLookOffice2007Silver), command(kLookOffice2007Aqua)})}),
               command(kViewParameters, kDocument), command(kViewConsole, kDocument),
               command(kViewSmartLed, kDocument), command(kViewHex, kDocument),
               command(kViewStatusBar), command(kViewGadgetTool, kDocument)}),
      submenu("&Window", {}, MenuFill::Windows, kDocument),
      submenu("&Setup",
              {command(kUartSetting), command(kConnect), command(kDisconnect), command(kWizard)},
              MenuFill::None, kDocument),
      submenu("Diagram",
              {command(kRun), command(kStop), command(kTree), command(kCircle),
               command(kRefreshTime), command(kCentreOnCoordinator)},
              MenuFill::None, kDocument),
      submenu("&Help", {command(kAppAbout)}),
  };
  return menus;
}

std::span<const ToolBarSpec> ToolBarSpecs() {
  static const std::vector<ToolBarSpec> specs = {
      {kStandardToolBar,
       kStandardBarTitle,
       "standardToolBar",
       {kFileNew, kFileOpen, kFileSave, kSeparator, kEditCut, kEditCopy, kEditPaste, kSeparator,
        kFilePrint, kAppAbout}},
      {kSetupToolBar,
       kSetupBarTitle,
       "setupToolBar",
       {kUartSetting, kSeparator, kConnect, kDisconnect, kSeparator, kWizard, kUpgrade, kSeparator,
        kTextClear}},
      {kDiagramToolBar,
       kDiagramBarTitle,
       "diagramToolBar",
       {kRun, kStop, kSeparator, kTree, kCircle, kSeparator, kRefreshTime}},
  };
  return specs;
}

bool WithoutHandler(int id) {
  switch (id) {
    case kFilePrintSetup:
    case kEditUndo:
    case kEditCut:
    case kViewSmartLed:
      return true;
    default:
      return false;
  }
}

bool NeedsDocument(int id) {
  switch (id) {
    case kFileClose:
    case kFileSave:
    case kFileSaveAs:
    case kFileSaveLog:
    case kViewHex:
    case kFileSaveDiagramAs:
    case kFilePrint:
    case kFilePrintPreview:
    case kEditCopy:
    case kWindowNew:
      return true;
    default:
      return false;
  }
}

}  // namespace netloom::shell
