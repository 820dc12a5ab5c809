#include "gui/res/resource_strings.h"
#include "gui/res/resource_ids.h"

#include <map>

namespace netloom::res {
namespace {

const std::map<int, const char*>& Strings() {
  static const std::map<int, const char*> strings = {
      {122, "Pane 1"},
      {123, "Pane 2"},
      {124, "Standard"},
      {125, "Customize..."},
      {127, "Setup"},
      {129, "COM Port Info"},
      {132, "&Windows..."},
      {150, "Show Parameters View"},
      {151, "Show AT Console View"},
      {154, "Show LED View"},
      {306, "Edit"},
      {357, "Diagram Tool Bar"},
      {32776, "Send AT Command"},
      {32781, "Setting UART\nUART"},
      {32782, "Run to Draw Node\nRun"},
      {32783, "Connect COM Port\nConnect"},
      {32784, "Disconnect COM Port\nDisconnect"},
      {32785, "Stop to Draw\nStop"},
      {32794, "Wizard\nWizard"},
      {32795, "Refresh Time\nRefresh Time"},
      {32797, "Text Clear\nClear"},
      {32801, "Upgrade\nUpgrade"},
      {32817, "Tree\nTree"},
      {32826, "Circle\nCircle"},
      {32850, "Save the topology diagram as a PNG, SVG or PDF file\nSave Diagram"},
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
