// Escapes and the remote console: "+++" / "---" end a console, "ATCONSOLE <address> <mode>"
// opens one to a node of the network; from then on the node answers the commands.
#include <chrono>

#include "core/sim/handlers.h"

namespace netloom::sim {
namespace {

// Garbage replies come in bursts until the host sends again (or this long has passed), so that
// each of the host's reads after "ATCONSOLE" finds text, none of it an answer.
constexpr auto kGarbageInterval = std::chrono::milliseconds(40);
constexpr int kGarbageBursts = 50;

void Escape(SimContext& ctx, const SimCommand&) {
  ctx.session.consoleNode = nullptr;
  ctx.link.Write("OK\r\n");
}

void Console(SimContext& ctx, const SimCommand& command) {
  if (command.args.empty()) {
    ctx.link.Write(kUnknownCommandReply);
    return;
  }
  SimNode* node = ctx.network.Find(command.args[0]);
  switch (ctx.faults.GetConsoleAnswer()) {
    case ConsoleAnswer::Normal:
      if (node) {
        ctx.session.consoleNode = node;
        ctx.link.Write("OK\r\n");
      } else {
        ctx.link.Write("FAIL\r\n");
      }
      return;
    case ConsoleAnswer::Fail:
      ctx.link.Write("FAIL\r\n");
      return;
    case ConsoleAnswer::Time:
      ctx.link.Write("Time out\r\n");
      return;
    case ConsoleAnswer::Garbage:
      for (int i = 0; i < kGarbageBursts; ++i) {
        ctx.link.Write("#?~!\r\n");
        if (ctx.link.WaitForInput(kGarbageInterval)) return;
      }
      return;
    case ConsoleAnswer::Silence:
      return;
  }
}

}  // namespace

void AddConsoleHandlers(HandlerRegistry& registry) {
  registry.Add("+++", Escape);
  registry.Add("---", Escape);
  registry.Add("CONSOLE", Console);
}

}  // namespace netloom::sim
