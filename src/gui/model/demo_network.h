// The program's own virtual module with the demo network: the port a user without hardware
// picks ("Virtual module (demo network)"). Started on first use, it serves until the program
// ends. UI thread only.
#pragma once

#include <optional>
#include <string>

namespace netloom::model {

// The demo network's link path, starting the module if it does not run yet; nothing and
// `error` set (with the system's reason) when it cannot be started.
std::optional<std::string> DemoNetworkPath(std::string& error);
// The link path when the module runs, else empty (so the port list can leave it out).
std::string RunningDemoNetworkPath();

}  // namespace netloom::model
