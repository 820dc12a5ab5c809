// The identity exchange, answered as the node that holds the console: "ATINFOI" replies the
// node's identity (some fields of its configuration image), "ATINFOI 0002 CC PPPP T M NAME" writes
// it into the image (ACK; EOT for another version or a request it cannot take), "ATRESET" restarts
// the node (the local module at the line rate its image names). Faults: exchange_faults.h.
#include "core/sim/handlers.h"
#include "core/sim/node_image.h"
#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/identity_text.h"

namespace netloom::sim {
namespace {

using namespace wire;

// Three bytes that are neither ACK nor EOT.
constexpr std::string_view kGarbageAnswer = "#?~";

void ReadIdentity(SimContext& ctx) {
  const ExchangeFaults& faults = ctx.faults.Exchanges();
  const auto reply = faults.IdentityReply().value_or(
      IdentityReplyText(IdentityOf(NodeImage(ctx.network, ctx.Node()))));
  ctx.link.Write(ctx.link.Noise(faults.NoiseBeforeReply()) + reply + "\r\n");
}

void WriteIdentity(SimContext& ctx, const SimCommand& command) {
  const std::string eot(1, static_cast<char>(kEot));
  const std::string ack(1, static_cast<char>(kAck));
  const auto requested = IdentityWriteOf(command.args);
  auto store = [&] {
    if (requested) ApplyIdentity(NodeImage(ctx.network, ctx.Node()), *requested);
  };
  switch (ctx.faults.Exchanges().GetIdentityWriteAnswer()) {
    case IdentityWriteAnswer::Normal:
      store();
      ctx.link.Write(requested ? ack : eot);
      return;
    case IdentityWriteAnswer::Eot:
      ctx.link.Write(eot);
      return;
    case IdentityWriteAnswer::Garbage:
      store();
      ctx.link.Write(kGarbageAnswer);
      return;
    case IdentityWriteAnswer::Silence:
      return;
  }
}

void Identity(SimContext& ctx, const SimCommand& command) {
  if (command.args.empty()) {
    ReadIdentity(ctx);
  } else {
    WriteIdentity(ctx, command);
  }
}

// The local module is gone for its restart time and comes back at the rate its image names (the
// "OK" still goes at the old one); a remote node's restart does not take the local module away.
void Reset(SimContext& ctx, const SimCommand&) {
  ctx.faults.Exchanges().NoteReset();
  ctx.link.Write("OK\r\n");
  if (&ctx.Node() != &ctx.network.Local()) return;
  // Before the restart ends: a host that waits it out finds the new rate in force.
  ctx.link.SetLineRate(ApplyImageLineRate(ctx.network));
  ctx.link.Restart();
}

}  // namespace

void AddIdentityHandlers(HandlerRegistry& registry) {
  registry.Add("INFOI", Identity);
  registry.Add("RESET", Reset);
}

}  // namespace netloom::sim
