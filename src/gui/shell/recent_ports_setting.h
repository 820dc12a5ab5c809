// The network ports typed lately, kept in the saved settings: read at start, written at each
// change. UI thread only.
#pragma once

class QSettings;

namespace netloom::shell {

inline constexpr char kRecentNetworkPortsKey[] = "Recent network ports";

// Loads the process's recent network ports from `settings` and writes them back there at each
// change, until ForgetRecentPortsSetting (call it before `settings` goes).
void KeepRecentPortsInSettings(QSettings& settings);
void ForgetRecentPortsSetting();

}  // namespace netloom::shell
