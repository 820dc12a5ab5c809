// Command and resource ids of the desktop program (their texts: resource_strings.h).
//
// The ids are the program's own numbers: menus, toolbars and the status bar are built from them,
// and a command keeps its id wherever it appears (menu item, tool button, pane toggle).
#pragma once

namespace netloom::res {

enum CommandId : int {
  // Framework commands.
  kFileNew = 57600,
  kFileOpen = 57601,
  kFileClose = 57602,
  kFileSave = 57603,
  kFileSaveAs = 57604,
  kFilePrintSetup = 57606,
  kFilePrint = 57607,
  kFilePrintPreview = 57609,
  kFileSaveDiagramAs = 32850,  // the topology diagram as PNG, SVG or PDF
  kFileSaveLog = 32851,        // the document's session log
  kViewHex = 32852,            // the output pane's bytes in hex
  kAppExit = 57665,
  kEditUndo = 57643,
  kEditCut = 57635,
  kEditCopy = 57634,
  kEditPaste = 57637,
  kWindowNew = 57648,
  kAppAbout = 57664,
  kViewToolbar = 59392,
  kViewStatusBar = 59393,
  // Shell commands.
  kNewNetworkDocument = 130,
  kNewGadgetDocument = 364,
  kWindowManager = 131,
  kViewCustomize = 126,
  // View > Application Look.
  kLookWindows2000 = 210,
  kLookOfficeXp = 211,
  kLookWindowsXp = 212,
  kLookOffice2003 = 213,
  kLookVisualStudio2005 = 214,
  kLookOffice2007Blue = 215,
  kLookOffice2007Black = 216,
  kLookOffice2007Silver = 217,
  kLookOffice2007Aqua = 218,
  kLookFirst = kLookWindows2000,
  kLookLast = kLookOffice2007Aqua,
  kViewParameters = 150,
  kViewConsole = 151,
  kViewSmartLed = 154,
  kViewGadgetTool = 32834,
  // Network document commands (routed to the active child frame).
  kSendAtCommand = 32776,
  kUartSetting = 32781,
  kRun = 32782,
  kConnect = 32783,
  kDisconnect = 32784,
  kStop = 32785,
  kWizard = 32794,
  kRefreshTime = 32795,
  kTextClear = 32797,
  kUpgrade = 32801,
  kTree = 32817,
  kCircle = 32826,
  kCentreOnCoordinator = 32840,
  // AT console pane toolbar (the pane routes them itself).
  kConsoleBasic = 32777,
  kConsoleAdvance = 32778,
  kConsoleRemote = 32802,
  kConsoleTarget = 32804,
  // Parameters pane toolbar (the pane routes them itself).
  kParametersRead = 32774,
  kParametersWrite = 32775,
  kParametersRemote = 32803,
  kParametersTarget = 32806,
  // Status bar pane of the port settings.
  kPortInfoPane = 129,
};

// String resources of the shell (the commands' own strings share their command ids).
enum StringId : int {
  kPane1String = 122,
  kPane2String = 123,
  kStandardBarTitle = 124,
  kCustomizeText = 125,
  kSetupBarTitle = 127,
  kPortInfoString = 129,
  kWindowsDialogText = 132,
  kEditMenuTitle = 306,
  kDiagramBarTitle = 357,
};

// Toolbar and pane ids.
enum BarId : int {
  kStandardToolBar = 128,
  kSetupToolBar = 153,
  kDiagramToolBar = 155,
  kSetupToolBarResource = 32789,
  kDiagramToolBarResource = 355,
};

}  // namespace netloom::res
