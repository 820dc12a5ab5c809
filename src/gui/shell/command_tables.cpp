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
      {kFilePrint, "&Print...\tCtrl+P", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
      {kFilePrintPreview, "Print Pre&view", {}},
      {kFilePrintSetup, "P&rint Setup...", {}},
      {kFileMruFirst, "Recent File", {}},
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
    case kFileOpen:
    // The document holds nothing to save yet: no empty files.
    case kFileSave:
    case kFileSaveAs:
    case kFilePrintSetup:
    case kFileMruFirst:
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
