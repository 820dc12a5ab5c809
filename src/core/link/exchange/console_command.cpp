// The two commands that send text the user typed: the console command and the raw text.
#include "core/link/exchange/remote_set_up.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {

CommandReport ConsoleCommandAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::ConsoleCommand};
  const RemoteSetUpResult setUp = RemoteSetUp(ctx, RemoteVariant::Console);
  if (!setUp.proceed) {
    if (!setUp.failure.empty()) ctx.listener.AppendOutput(setUp.failure);
    report.failure = setUp.failure;
    return report;
  }
  // The module's reply would otherwise pass for the node's.
  if (setUp.outcome == RemoteOutcome::Fail) {
    ctx.listener.AppendOutput(ConsoleFallbackText(setUp.target));
  }
  const std::string text =
      ctx.session.Read([](const LinkState& s) { return s.request.consoleText; });
  report.delivered = WriteText(ctx.port, text);
  return report;
}

CommandReport RawTextAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::RawText};
  const std::string text = ctx.session.Read([](const LinkState& s) { return s.request.rawText; });
  report.delivered = WriteText(ctx.port, text);
  return report;
}

}  // namespace netloom::link
