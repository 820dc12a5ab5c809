// The identity exchange, answered as the node that holds the console: "ATINFOI" replies the
// node's identity (a view of its configuration image), "ATINFOI 0002 CC PPPP T M NAME" writes it
// into the image (ACK; EOT for another version or a request it cannot take), "ATRESET"
// restarts the node. Faults: exchange_faults.h.
#include <charconv>

#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/identity/identity_reply.h"
#include "core/sim/handlers.h"
#include "core/sim/node_image.h"

namespace netloom::sim {
namespace {

// Three bytes that are neither ACK nor EOT.
constexpr std::string_view kGarbageAnswer = "#?~";
constexpr std::size_t kWriteArguments = 6;

std::optional<std::int32_t> Number(const std::string& text, int base) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The identity a write request asks for, or nothing when the module cannot take it.
std::optional<link::ModuleIdentity> Requested(const SimCommand& command) {
  if (command.args.size() != kWriteArguments || command.args[0] != link::kImageVersion) {
    return std::nullopt;
  }
  const auto channel = Number(command.args[1], 16);
  const auto panId = Number(command.args[2], 16);
  const auto type = Number(command.args[3], 10);
  const auto mode = Number(command.args[4], 10);
  if (!channel || !panId || !type || !mode) return std::nullopt;
  link::ModuleIdentity identity{2, *channel, *panId, *type, *mode, command.args[5]};
  if (link::CheckRequestedIdentity(identity)) return std::nullopt;
  return identity;
}

void ReadIdentity(SimContext& ctx) {
  const ExchangeFaults& faults = ctx.faults.Exchanges();
  const auto reply = faults.IdentityReply().value_or(
      link::FormatIdentityReply(IdentityOf(NodeImage(ctx.network, ctx.Node()))));
  ctx.link.Write(ctx.link.Noise(faults.NoiseBeforeReply()) + reply + "\r\n");
}

void WriteIdentity(SimContext& ctx, const SimCommand& command) {
  const std::string eot(1, static_cast<char>(link::kEot));
  const std::string ack(1, static_cast<char>(link::kAck));
  const auto requested = Requested(command);
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

void Reset(SimContext& ctx, const SimCommand&) {
  ctx.faults.Exchanges().NoteReset();
  ctx.link.Write("OK\r\n");
}

}  // namespace

void AddIdentityHandlers(HandlerRegistry& registry) {
  registry.Add("INFOI", Identity);
  registry.Add("RESET", Reset);
}

}  // namespace netloom::sim
