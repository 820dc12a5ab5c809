// The two commands that send text the user typed: the console command and the raw text.
#include "core/link/exchange/remote_set_up.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {

CommandReport ConsoleCommandAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::ConsoleCommand};
  struct Taken {
    std::string text;
    std::optional<std::string> forNode;
    Targeting targeting;
  };
  const Taken taken = ctx.session.Read([](const LinkState& s) {
    return Taken{s.request.consoleText, s.request.consoleFor, s.targeting};
  });
  const bool forNode = taken.forNode.has_value();
  const std::string target = forNode ? *taken.forNode : taken.targeting.node;
  // A node the coordinator refused is not asked again until it is picked anew.
  const bool asked = forNode || (taken.targeting.consoleRemote && !taken.targeting.refused());
  const RemoteSetUpResult setUp = RemoteSetUp(
      ctx, forNode ? RemotePurpose::NodeConsole : RemotePurpose::Console, target, asked);
  if (!setUp.proceed()) {
    if (!setUp.failure.empty()) ctx.listener.AppendOutput(setUp.failure);
    report.failure = setUp.failure;
    return report;
  }
  // The module's reply would otherwise pass for the node's.
  if (setUp.step == RemoteStep::GoLocalNotice) {
    ctx.listener.AppendOutput(ConsoleFallbackText(setUp.target));
  }
  report.delivered = WriteText(ctx.port, taken.text);
  return report;
}

CommandReport RawTextAction(WorkerContext& ctx) {
  CommandReport report{WorkerCommand::RawText};
  const std::string text = ctx.session.Read([](const LinkState& s) { return s.request.rawText; });
  report.delivered = WriteText(ctx.port, text);
  return report;
}

}  // namespace netloom::link
