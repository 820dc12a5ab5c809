#include "core/link/worker_context.h"

#include <array>

namespace netloom::link {

void WorkerContext::DiscardRead() {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  ReadBytes(port, buffer.data(), buffer.size());
}

}  // namespace netloom::link
