#include "core/link/config/config_transfer.h"

#include <memory>

#include "core/link/exchange/command_mode.h"

namespace netloom::link::detail {
namespace {

// The idle read time-out every configuration transfer leaves behind.
constexpr std::uint32_t kIdleReadTimeoutMs = 200;

void SetBusy(WorkerContext& ctx, bool busy) {
  ctx.session.Update([busy](LinkState& state) { state.config.busy = busy; });
}

// Whether the coordinator may be left in a remote console when the transfer ends: after "OK"
// (also when the target then turned out to be unknown) and after three silent replies, whose
// meaning nobody knows. "FAIL" opened none; "Time" and the remote error end without one.
bool ConsoleMayBeOpen(RemoteAnswer answer) {
  return answer == RemoteAnswer::Ok || answer == RemoteAnswer::UnknownNode ||
         answer == RemoteAnswer::Silent;
}

}  // namespace

void SetTransferredImage(WorkerContext& ctx, const ConfigImage& image) {
  ctx.session.Update([&](LinkState& state) { state.config.image = image; });
}

ConfigTransfer::ConfigTransfer(WorkerContext& ctx, WorkerCommand code) : ctx_(ctx), report_(code) {
  SetBusy(ctx_, true);
  ctx_.SetProgress({});
  ctx_.listener.ConfigTransferStarted();
  const Targeting targeting = ctx_.session.Read([](const LinkState& s) { return s.targeting; });
  // Always asked while the switch is on, also after a refusal: skipping the set-up would hand
  // the transfer to the local module.
  setUp_ = RemoteSetUp(ctx_, RemotePurpose::Config, targeting.node, targeting.parametersRemote);
}

void ConfigTransfer::Store(const ConfigImage& image) {
  if (!setUp_.remote()) {
    ctx_.localImage = image;
    SetTransferredImage(ctx_, image);
    return;
  }
  const NodePtr old = FindNode(ctx_.nodeTable, setUp_.target);
  if (!old) return;  // the set-up made sure it is there; nothing else empties the table
  auto record = std::make_shared<NodeRecord>(*old);
  record->image = image;
  ctx_.nodeTable[NodeKey(setUp_.target)] = std::move(record);
  ctx_.listener.NodeTableChanged(std::make_shared<const NodeTable>(ctx_.nodeTable));
}

void ConfigTransfer::FrameDone() {
  ctx_.SetProgress({++framesDone_, false});
}

CommandReport ConfigTransfer::End(std::string_view message, bool succeeded) {
  SetBusy(ctx_, false);
  if (!message.empty()) ctx_.listener.ShowMessage(message);
  if (ConsoleMayBeOpen(setUp_.answer)) EscapeSequence(ctx_.port, ctx_.clock);
  ctx_.SetReadTimeout(kIdleReadTimeoutMs);
  report_.delivered = succeeded;
  if (!succeeded) report_.failure = message;
  return report_;
}

CommandReport RunTransfer(WorkerContext& ctx, WorkerCommand code, TransferSteps steps) {
  ConfigTransfer transfer(ctx, code);
  if (!transfer.Proceed()) return transfer.End(transfer.SetUpFailure(), false);
  const Outcome outcome = steps(ctx, transfer);
  return transfer.End(outcome.message, outcome.succeeded);
}

}  // namespace netloom::link::detail
