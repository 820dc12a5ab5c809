// The coordinator's answers to ATCONSOLE as the remote set-up reads them, for each kind of
// request that goes through it. The first byte picks the request; the rest are the reads.
#include <cstdlib>

#include "core/link/exchange/remote_set_up.h"
#include "core/link/worker/worker_context.h"
#include "fuzz_input.h"
#include "scripted_port.h"

namespace {

class QuietListener final : public netloom::link::WorkerListener {
 public:
  void QueryStarted() override {}
  void ClearDiagram() override {}
  void NetworkReady(const netloom::link::NetworkSnapshot&) override {}
  void ConfigTransferStarted() override {}
  void ConfigValuesChanged() override {}
  void AppendOutput(std::string_view) override {}
  void ShowMessage(std::string_view) override {}
  void PortLost(std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netloom;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  const auto variant = static_cast<link::RemoteVariant>(pick % 3);
  fuzz::ScriptedPort port(input);
  fuzz::NoPauseClock clock;
  QuietListener listener;
  link::LinkSession session;
  session.Update([&](link::LinkState& state) {
    state.request.targetAddress = "1234";
    state.request.remoteRefused = false;
    state.request.consoleToTarget = (pick & 0x04) != 0;
    state.view.consoleRemote = (pick & 0x08) != 0;
    state.view.parametersRemote = (pick & 0x10) != 0;
  });
  const link::UartSettings settings;
  link::WorkerContext ctx(port, settings, clock, listener, session);
  const auto result = link::RemoteSetUp(ctx, variant);
  // A request that does not go on must say why, unless the set-up's own rules end it quietly.
  if (!result.failure.empty() && !link::IsRemoteFailureText(result.failure)) std::abort();
  return 0;
}
