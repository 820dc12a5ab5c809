#include "core/link/worker/worker_context.h"

#include <array>

namespace netloom::link {

void WorkerContext::DiscardRead() {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  ReadBytes(port, buffer.data(), buffer.size());
}

void WorkerContext::SetProgress(const ExchangeProgress& progress) {
  session.Update([&](LinkState& state) { state.progress = progress; });
}

}  // namespace netloom::link
