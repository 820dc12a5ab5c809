// The user's choices the program keeps for its whole life and in the saved settings: the
// network ports typed lately, and how long a quiet node stays before it is forgotten. Read at
// start, written at each change. UI thread only.
#pragma once

class QSettings;

namespace netloom::shell {

inline constexpr char kRecentNetworkPortsKey[] = "Recent network ports";
inline constexpr char kQuietLimitKey[] = "Quiet limit seconds";

// Loads the choices from `settings` and writes them back there at each change, until
// ForgetKeptSettings (call it before `settings` goes).
void KeepChoicesInSettings(QSettings& settings);
void ForgetKeptSettings();

}  // namespace netloom::shell
