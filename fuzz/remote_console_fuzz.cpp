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
  const auto purpose = static_cast<link::RemotePurpose>(pick % 3);
  fuzz::ScriptedPort port(input);
  fuzz::NoPauseClock clock;
  QuietListener listener;
  link::LinkSession session;
  const link::UartSettings settings;
  catalogue::ConfigValueTable values;
  link::WorkerContext ctx(port, settings, clock, listener, session, values);
  const std::string target = (pick & 0x04) != 0 ? "0000" : "1234";  // the coordinator or a node
  const auto result = link::RemoteSetUp(ctx, purpose, target, (pick & 0x08) != 0);
  // A request that does not go on must say why, unless the set-up's own rules end it quietly.
  if (!result.failure.empty() && !link::IsRemoteFailureText(result.failure)) std::abort();
  return 0;
}
