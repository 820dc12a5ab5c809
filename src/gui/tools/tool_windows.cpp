#include "gui/tools/tool_windows.h"

#include "gui/tools/upgrade_dialog.h"
#include "gui/tools/wizard_sheet.h"

namespace netloom::tools {

std::unique_ptr<CWizardSheet> OpenSetupWizard(model::ConnectionController& connection) {
  auto sheet = std::make_unique<CWizardSheet>(connection);
  sheet->show();
  sheet->raise();
  sheet->activateWindow();
  return sheet;
}

QWidget* OpenUpgradeDialog(const link::UartSettings& settings, const model::PortChoice& port,
                           QWidget* parent) {
  auto* dialog = new CUpgradeDialog(settings, port, parent);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

}  // namespace netloom::tools
