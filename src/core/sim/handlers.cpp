#include "core/sim/handlers.h"

namespace netloom::sim {

HandlerRegistry DefaultHandlers() {
  HandlerRegistry registry;
  AddAtBasicHandlers(registry);
  AddConsoleHandlers(registry);
  AddNetworkHandlers(registry);
  return registry;
}

}  // namespace netloom::sim
