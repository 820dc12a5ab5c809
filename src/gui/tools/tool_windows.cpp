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

bool CloseUpgradeDialogs(QWidget& owner) {
  QList<CUpgradeDialog*> leaving;
  bool refused = false;
  for (auto* dialog : owner.findChildren<CUpgradeDialog*>()) {
    if (dialog->isHidden() || dialog->close()) continue;
    if (dialog->leaving())
      leaving << dialog;
    else
      refused = true;
  }
  if (refused) return false;
  for (auto* dialog : leaving) {
    QObject::connect(dialog, &QObject::destroyed, &owner, &QWidget::close,
                     static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
  }
  return leaving.isEmpty();
}

}  // namespace netloom::tools
