#include <cstdlib>

#include "core/sim/sim_network.h"

namespace netloom::sim {

// Levels below the coordinator: 1A01 2B02 3C03 | 4D04 5E05 6F06 7A07 | 8B08 BE0B | 9C09 | AD0A.
// The walk asks the coordinator and three levels below it, so 9C09 is listed but never asked
// and AD0A is never seen. 5E05 hangs under both 1A01 and 2B02.
SimNetwork DemoNetwork() {
  std::vector<SimNode> nodes = {
      {"0000", "Coordinator", {"1A01", "2B02", "3C03"}},
      {"1A01", "CCU-Hall", {"4D04", "5E05"}},
      {"2B02", "FCU-Office", {"5E05", "6F06"}},
      {"3C03", "Meter-Main", {"7A07"}},
      {"4D04", "LCU-Corridor", {"8B08"}},
      {"5E05", "AC-Lobby", {}},
      {"6F06", "PC-Desk", {"BE0B"}},
      {"7A07", "Lumanode-Yard", {}},
      {"8B08", "Quaybox-Pier", {"9C09"}},
      {"9C09", "StreeLight-Gate", {"AD0A"}},
      {"AD0A", "Harbour-Post", {}},
      {"BE0B", "Sensor-Shelf", {}},
  };
  std::string error;
  auto network = SimNetwork::Make(std::move(nodes), error);
  if (!network) std::abort();  // the table above is fixed; a unit test keeps it valid
  return std::move(*network);
}

}  // namespace netloom::sim
