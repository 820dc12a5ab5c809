// The setup tools a network view opens: the setup wizard and the firmware upgrade dialog.
//
// Each returns the window it opened (modeless, owned by Qt's parent chain or deleting itself on
// close).
#pragma once

#include <QWidget>

#include "core/link/serial/uart_settings.h"
#include "gui/model/port_choice.h"

namespace netloom::model {
class ConnectionController;
}

namespace netloom::tools {

// The four-page setup wizard on `connection` (connected), a window of its own over `parent`.
// Closing itself is how it ends; the connection's Disconnect closes it too.
QWidget* OpenSetupWizard(model::ConnectionController& connection, QWidget* parent);
// The firmware upgrade dialog on its own copies of `settings` and `port`; it goes with `parent`
// at the latest.
QWidget* OpenUpgradeDialog(const link::UartSettings& settings, const model::PortChoice& port,
                           QWidget* parent);

}  // namespace netloom::tools
