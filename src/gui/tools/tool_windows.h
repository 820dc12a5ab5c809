// The setup tools a network view opens: the setup wizard and the firmware upgrade dialog.
//
// Each returns the window it opened, modeless: the wizard to its owner, the upgrade dialog owned
// by Qt's parent chain and deleting itself on close.
#pragma once

#include <QWidget>
#include <memory>

#include "core/link/serial/uart_settings.h"
#include "gui/model/port_choice.h"

namespace netloom::model {
class ConnectionController;
}

namespace netloom::tools {

class CWizardSheet;

// The four-page setup wizard on `connection` (connected), a window of its own, shown. The caller
// owns it (it must not outlive `connection`) and deletes it after it finished, while it is not
// busy (CWizardSheet::busy).
std::unique_ptr<CWizardSheet> OpenSetupWizard(model::ConnectionController& connection);
// The firmware upgrade dialog on its own copies of `settings` and `port`; it goes with `parent`
// at the latest.
QWidget* OpenUpgradeDialog(const link::UartSettings& settings, const model::PortChoice& port,
                           QWidget* parent);
// The program is about to quit through `owner`: every open upgrade dialog among its windows is
// closed as its close box does (a running step asks first; a module owed a return is returned
// while the dialog shows it). True when none is left. Otherwise false: when every dialog agreed,
// `owner` is closed again once they have gone; when one was refused, nothing more happens.
bool CloseUpgradeDialogs(QWidget& owner);

}  // namespace netloom::tools
