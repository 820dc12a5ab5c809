// Placeholder for the identity exchange until it lands: fails without a message.
#include "core/link/worker_actions.h"

namespace netloom::link {

int ReadIdentityExchange(WorkerContext& ctx) {
  (void)ctx;
  return -1;
}

int WriteIdentityExchange(WorkerContext& ctx) {
  (void)ctx;
  return -1;
}

}  // namespace netloom::link
