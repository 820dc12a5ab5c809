// The setup wizard and the upgrade dialog are not part of this build yet.
#include "gui/tools/tool_windows.h"

namespace netloom::tools {

QWidget* OpenSetupWizard(view::CNetloomView&) {
  return nullptr;
}

QWidget* OpenUpgradeDialog(const link::UartSettings&, const std::string&, QWidget*) {
  return nullptr;
}

}  // namespace netloom::tools
