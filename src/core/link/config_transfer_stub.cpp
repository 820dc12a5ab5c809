// Placeholder for the configuration image transfer until it lands: does nothing.
#include "core/link/worker_actions.h"

namespace netloom::link {

void ReadConfigImage(WorkerContext& ctx) {
  (void)ctx;
}

void WriteConfigImage(WorkerContext& ctx) {
  (void)ctx;
}

}  // namespace netloom::link
