// Placeholder for the network walk until it lands: the root never answers.
#include "core/link/worker_actions.h"

namespace netloom::link {

NodePtr QueryNetworkAction(WorkerContext& ctx, const std::string& rootAddress) {
  (void)ctx;
  (void)rootAddress;
  return nullptr;
}

}  // namespace netloom::link
