#include "gui/model/command_rules.h"

#include "gui/res/resource_ids.h"

namespace netloom::model {

CommandUi NetworkCommandUi(int commandId, const ViewCommandState& s) {
  // Input during a wait is dropped: the commands show it.
  auto enabledIf = [&](bool enabled) {
    return CommandUi{true, enabled && !s.waiting, false, false};
  };
  auto checkedIf = [&](bool checked) { return CommandUi{true, !s.waiting, true, checked}; };
  switch (commandId) {
    case res::kUartSetting:
    case res::kConnect:
      return enabledIf(!s.portOpen);
    case res::kDisconnect:
      return enabledIf(s.portOpen);
    case res::kRun:
      return enabledIf(!s.autoRefresh || !s.hasWorker);
    case res::kStop:
      return enabledIf(s.autoRefresh && s.hasWorker);
    case res::kWizard:
    case res::kRefreshTime:
    case res::kTextClear:
    case res::kUpgrade:
    case res::kCentreOnCoordinator:
      return enabledIf(true);
    case res::kPortInfoPane:  // shows the port settings, waiting or not
      return {true, true, false, false};
    case res::kTree:
      return checkedIf(s.layoutMode == 0);
    case res::kCircle:
      return checkedIf(s.layoutMode != 0);
    default:
      return {};
  }
}

}  // namespace netloom::model
