// Plain words beside the upgrade's own messages: what most likely went wrong and what to try.
// Pure functions; any thread.
#pragma once

#include <string>

#include "core/firmware/upgrade_procedure.h"

namespace netloom::model {

// What the dialog shows for a message of the procedure: the message itself, and a hint to show
// under it (empty when there is none; for a port held open by anyone, what that means)
// followed by the system's reason.
struct ShownUpgradeMessage {
  std::string text;
  std::string hint;
};

ShownUpgradeMessage ShowUpgradeMessage(const firmware::UpgradeMessage& message,
                                       const std::string& portName);

}  // namespace netloom::model
