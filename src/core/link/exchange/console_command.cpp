// The two commands that send text the user typed: the console command and the raw text.
#include <utility>

#include "core/link/exchange/remote_set_up.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {

CommandReport ConsoleCommandAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::ConsoleCommand};
  struct Taken {
    std::optional<ConsoleLine> line;
    Targeting targeting;
  };
  Taken taken = ctx.session.Update([](LinkState& s) {
    Taken t{std::nullopt, s.targeting};
    if (!s.request.consoleLines.empty()) {
      t.line = std::move(s.request.consoleLines.front());
      s.request.consoleLines.pop_front();
    }
    return t;
  });
  if (!taken.line) return report;
  const bool forNode = taken.line->forNode.has_value();
  const std::string target = forNode ? *taken.line->forNode : taken.targeting.node;
  const RemoteSetUpResult setUp =
      RemoteSetUp(ctx, RemotePurpose::Console, target, forNode || taken.targeting.consoleRemote);
  if (!setUp.proceed()) {
    // Nothing goes out: the local module would take the node's command (ATRESET, ATLEAVE).
    if (!setUp.failure.empty()) ctx.listener.AppendOutput(setUp.failure);
    report.failure = setUp.failure;
    return report;
  }
  report.delivered = WriteText(ctx.port, taken.line->text);
  return report;
}

CommandReport RawTextAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::RawText};
  // Every piece that waits, in order: typed text needs no set-up and awaits no reply.
  const std::deque<std::string> pieces =
      ctx.session.Update([](LinkState& s) { return std::exchange(s.request.rawTexts, {}); });
  report.delivered = !pieces.empty();
  for (const std::string& piece : pieces) {
    report.delivered = WriteText(ctx.port, piece) && report.delivered;
  }
  return report;
}

}  // namespace netloom::link
