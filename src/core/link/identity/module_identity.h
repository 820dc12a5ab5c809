// A module's identity: the small set of settings a module is set up with (type, start mode,
// channel, PAN ID, name).
#pragma once

#include <cstdint>
#include <string>

namespace netloom::link {

struct ModuleIdentity {
  std::int32_t version = 0;     // identity record version the module reports (2)
  std::int32_t channel = 0;     // radio channel, 0x0B to 0x1A
  std::int32_t panId = 0;       // 0 to 0xFFFF
  std::int32_t deviceType = 0;  // 0 coordinator, 1 router, 2 end device
  std::int32_t startMode = 0;   // 0 AT command mode, 1 point-to-point, 4 star (2, 3 possible)
  std::string deviceName;       // at most 16 characters

  bool operator==(const ModuleIdentity&) const = default;
};

}  // namespace netloom::link
