// The setup wizard and the upgrade dialog are not part of this build yet.
#include "gui/tools/tool_windows.h"

namespace netloom::tools {

QWidget* OpenSetupWizard(model::ConnectionController&, QWidget*) {
  return nullptr;
}

QWidget* OpenUpgradeDialog(const link::UartSettings&, const std::string&, QWidget*) {
  return nullptr;
}

}  // namespace netloom::tools
