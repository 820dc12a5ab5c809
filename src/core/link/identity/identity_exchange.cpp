// ReadIdentity and WriteIdentity: the identity exchanges with "ATINFOI" and "ATRESET", for the
// node the session's identity state names. They report to that state (identities, message) and
// leave the read time-out where the remote set-up put it.
#include "core/link/config/config_frames.h"
#include "core/link/config/config_messages.h"
#include "core/link/exchange/command_mode.h"
#include "core/link/exchange/receive_byte.h"
#include "core/link/exchange/remote_set_up.h"
#include "core/link/identity/identity_reply.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {
namespace {

constexpr int kDone = 1;
constexpr int kFailed = -1;
constexpr std::uint32_t kAfterRequestPauseMs = 200;
constexpr std::uint32_t kAfterResetPauseMs = 200;
constexpr std::uint32_t kRestartPauseMs = 5000;

int Fail(WorkerContext& ctx, std::string_view message) {
  ctx.session.Update([&](LinkState& state) { state.identity.message = std::string(message); });
  return kFailed;
}

// The remote set-up of both exchanges; the failure text when the exchange ends there.
std::optional<std::string> SetUpFailure(WorkerContext& ctx) {
  const std::string target = ctx.session.Read([](const LinkState& s) { return s.identity.target; });
  RemoteSetUpResult setUp = RemoteSetUp(ctx, RemotePurpose::Identity, target, true);
  if (setUp.proceed()) return std::nullopt;
  return std::move(setUp.failure);
}

enum class WriteAnswer { Accepted, VersionRefused, Silent, Babbling };

// The module's answer to the write request: ACK or EOT. Whatever comes before it (the module's
// echo of the request, line noise) is passed over, up to a receive buffer's worth; a byte
// that is neither is no acceptance.
WriteAnswer AwaitWriteAnswer(SerialPort& port) {
  for (std::size_t passed = 0; passed <= kReceiveBufferSize; ++passed) {
    const auto byte = ReceiveByte(port);
    if (!byte) return WriteAnswer::Silent;
    if (*byte == kAck) return WriteAnswer::Accepted;
    if (*byte == kEot) return WriteAnswer::VersionRefused;
  }
  return WriteAnswer::Babbling;
}

}  // namespace

int ReadIdentityExchange(WorkerContext& ctx) {
  IdentityReadPrelude(ctx.port, ctx.clock);
  if (const auto failure = SetUpFailure(ctx)) return Fail(ctx, *failure);
  WriteText(ctx.port, kIdentityReadRequest);

  IdentityReplyParser parser(
      ctx.session.Read([](const LinkState& s) { return s.identity.current; }));
  std::string_view failure;
  while (parser.State() == IdentityState::Reading) {
    const auto byte = ReceiveByte(ctx.port);
    if (!byte) {
      failure = kIdentityTimeout;
      break;
    }
    if (parser.Feed(*byte) == IdentityState::Failed) failure = parser.Message();
  }
  ctx.identityLength = parser.Length();
  // The fields read before a fault stay in the current identity.
  ctx.session.Update([&](LinkState& state) {
    state.identity.current = parser.Identity();
    if (failure.empty()) state.identity.requested = parser.Identity();
  });
  if (!failure.empty()) return Fail(ctx, failure);
  ctx.DiscardRead();
  return kDone;
}

int WriteIdentityExchange(WorkerContext& ctx) {
  const ModuleIdentity requested =
      ctx.session.Read([](const LinkState& s) { return s.identity.requested; });
  // Nothing goes out that the module would take for something else (a name with a blank
  // would arrive cut at the blank).
  if (const auto wrong = CheckRequestedIdentity(requested)) return Fail(ctx, *wrong);

  IdentityWritePrelude(ctx.port, ctx.clock);
  if (const auto failure = SetUpFailure(ctx)) return Fail(ctx, *failure);
  WriteText(ctx.port, FormatIdentityWrite(requested));
  ctx.clock.Pause(kAfterRequestPauseMs);

  switch (AwaitWriteAnswer(ctx.port)) {
    case WriteAnswer::Accepted:
      break;
    case WriteAnswer::VersionRefused:
      return Fail(ctx, WriteVersionError());
    case WriteAnswer::Silent:
      return Fail(ctx, kIdentityTimeout);
    case WriteAnswer::Babbling:
      return Fail(ctx, kIdentityFormatError);
  }
  WriteText(ctx.port, kResetRequest);
  ctx.clock.Pause(kAfterResetPauseMs);
  IdentityWritePrelude(ctx.port, ctx.clock);
  ctx.SetProgress({0, true});
  ctx.clock.Pause(kRestartPauseMs);  // the module restarts
  ctx.SetProgress({});
  return kDone;
}

}  // namespace netloom::link
