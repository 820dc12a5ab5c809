#include "core/sim/handlers.h"

namespace netloom::sim {

HandlerRegistry DefaultHandlers() {
  HandlerRegistry registry;
  AddAtBasicHandlers(registry);
  AddConsoleHandlers(registry);
  AddNetworkHandlers(registry);
  AddConfigHandlers(registry);
  AddIdentityHandlers(registry);
  AddBootLoaderHandlers(registry);  // last: it wraps the plain RESET
  return registry;
}

}  // namespace netloom::sim
