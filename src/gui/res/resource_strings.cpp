#include "gui/res/resource_strings.h"
#include "gui/res/resource_ids.h"

#include <map>

namespace netloom::res {
namespace {

const std::map<int, const char*>& Strings() {
  static const std::map<int, const char*> strings = {
      {kPane1String, "Pane 1"},
      {kPane2String, "Pane 2"},
      {kStandardBarTitle, "Standard"},
      {kCustomizeText, "Customize..."},
      {kSetupBarTitle, "Setup"},
      {kPortInfoString, "COM Port Info"},
      {kWindowsDialogText, "&Windows..."},
      {kViewParameters, "Show Parameters View"},
      {kViewConsole, "Show AT Console View"},
      {kViewSmartLed, "Show LED View"},
      {kEditMenuTitle, "Edit"},
      {kDiagramBarTitle, "Diagram Tool Bar"},
      {kSendAtCommand, "Send AT Command"},
      {kUartSetting, "Setting UART\nUART"},
      {kRun, "Run to Draw Node\nRun"},
      {kConnect, "Connect COM Port\nConnect"},
      {kDisconnect, "Disconnect COM Port\nDisconnect"},
      {kStop, "Stop to Draw\nStop"},
      {kWizard, "Wizard\nWizard"},
      {kRefreshTime, "Refresh Time\nRefresh Time"},
      {kTextClear, "Text Clear\nClear"},
      {kUpgrade, "Upgrade\nUpgrade"},
      {kTree, "Tree\nTree"},
      {kCircle, "Circle\nCircle"},
      {kCentreOnCoordinator, "Scroll the diagram back to the coordinator\nCentre on Coordinator"},
      {kFileSaveDiagramAs, "Save the topology diagram as a PNG, SVG or PDF file\nSave Diagram"},
      {kFileOpen, "Open a saved network or a session log\nOpen"},
      {kFileSave, "Save the network: port, walk, nodes and history\nSave"},
      {kFileSaveAs, "Save the network under a new name\nSave As"},
      {kFileSaveLog, "Save every byte sent and received on the port, timestamped\nSave Log"},
      {kViewHex, "Show the output pane's bytes in hex with their text beside\nHex"},
  };
  return strings;
}

QString Lookup(int id) {
  auto it = Strings().find(id);
  return it == Strings().end() ? QString() : QString::fromLatin1(it->second);
}

}  // namespace

QString CommandPrompt(int id) {
  return Lookup(id).section('\n', 0, 0);
}

QString CommandTooltip(int id) {
  const QString text = Lookup(id);
  return text.contains('\n') ? text.section('\n', 1) : text;
}

QString ShellString(int id) {
  return Lookup(id);
}

}  // namespace netloom::res
