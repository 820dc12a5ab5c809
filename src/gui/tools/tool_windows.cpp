#include "gui/tools/tool_windows.h"

#include <QTimer>

#include "gui/tools/upgrade_dialog.h"
#include "gui/tools/wizard_sheet.h"

namespace netloom::tools {

QWidget* OpenSetupWizard(model::ConnectionController& connection, QWidget* parent) {
  auto* sheet = new CWizardSheet(connection, parent);
  // Cancel, Finish and the close box all end it; it goes half a second later.
  QObject::connect(sheet, &QWizard::finished, sheet,
                   [sheet] { QTimer::singleShot(500, sheet, &QObject::deleteLater); });
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
