#include "core/link/exchange/remote_set_up.h"

#include <array>
#include <string_view>

#include "core/catalogue/text_case.h"
#include "core/link/exchange/command_mode.h"

namespace netloom::link {
namespace {

constexpr int kAttempts = 3;
constexpr std::uint32_t kConsolePauseMs = 50;

using catalogue::SameIgnoringCase;  // addresses may come as "null" or "1a01"

bool IsNoAddress(std::string_view address) {
  return SameIgnoringCase(address, kNoAddress);
}

// A transfer or identity exchange asked for a node. It always tries the set-up, even after a
// refusal: skipping it would hand the request to the local module.
bool AskedForNode(const LinkState& state, RemoteVariant variant) {
  if (IsNoAddress(state.request.targetAddress)) return false;
  return variant == RemoteVariant::Identity ||
         (variant == RemoteVariant::Config && state.view.parametersRemote);
}

bool GoesRemote(const LinkState& state, RemoteVariant variant) {
  if (variant != RemoteVariant::Console) return AskedForNode(state, variant);
  if (IsNoAddress(state.request.targetAddress) || state.request.remoteRefused) return false;
  return state.view.consoleRemote || state.request.consoleToTarget;
}

// Up to three reads; the texts are tested in the order OK, FAIL, Time.
RemoteOutcome AwaitAnswer(SerialPort& port) {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const std::size_t count = ReadBytes(port, buffer.data(), buffer.size());
    if (count == 0) continue;
    const std::string_view reply(reinterpret_cast<const char*>(buffer.data()), count);
    if (reply.find("OK") != std::string_view::npos) return RemoteOutcome::Ok;
    if (reply.find("FAIL") != std::string_view::npos) return RemoteOutcome::Fail;
    if (reply.find("Time") != std::string_view::npos) return RemoteOutcome::TimeOut;
    if (attempt == kAttempts) return RemoteOutcome::RemoteError;
  }
  return RemoteOutcome::Silent;
}

RemoteOutcome Exchange(WorkerContext& ctx, RemoteVariant variant, const std::string& target) {
  if (variant != RemoteVariant::Identity) EscapeSequence(ctx.port, ctx.clock);
  WriteText(ctx.port, "ATCONSOLE " + target + " 0\r");
  if (variant == RemoteVariant::Console) ctx.clock.Pause(kConsolePauseMs);
  return AwaitAnswer(ctx.port);
}

void SetRemoteRefused(WorkerContext& ctx, bool worker, bool view, bool value) {
  ctx.session.Update([&](LinkState& state) {
    if (worker) state.request.remoteRefused = value;
    if (view) state.view.remoteRefused = value;
  });
}

// The read time-out each outcome leaves, per variant; 0 leaves it as it was.
std::uint32_t TimeoutAfter(RemoteVariant variant, RemoteOutcome outcome) {
  const bool console = variant == RemoteVariant::Console;
  switch (outcome) {
    case RemoteOutcome::NotRemote:
    case RemoteOutcome::Fail:
      return console ? 200 : 500;
    case RemoteOutcome::Ok:
      return console ? 500 : 1000;
    case RemoteOutcome::TimeOut:
    case RemoteOutcome::RemoteError:
      return console ? 200 : 0;
    case RemoteOutcome::Silent:
      return 0;
  }
  return 0;
}

}  // namespace

std::string RemoteFailureText(RemoteVariant variant, RemoteOutcome outcome,
                              const std::string& target) {
  std::string cause;
  switch (outcome) {
    case RemoteOutcome::TimeOut:
      cause = variant == RemoteVariant::Console ? "(TimeOut)" : "(Time Out)";
      break;
    case RemoteOutcome::RemoteError:
      cause = "(Remote error)";
      break;
    case RemoteOutcome::Fail:  // only requests that no other module may answer end here
      cause = "(FAIL)";
      break;
    case RemoteOutcome::Silent:  // a transfer or identity exchange for a node
      cause = "(No answer)";
      break;
    case RemoteOutcome::Ok:  // the target answered but is not in the node table
      cause = "(Error)";
      break;
    default:
      return {};
  }
  return cause + "Can't remote " + target + ", Please try again!\r";
}

bool IsRemoteFailureText(std::string_view text) {
  return text.starts_with('(') && text.find(")Can't remote ") != std::string_view::npos &&
         text.ends_with(", Please try again!\r");
}

std::string ConsoleFallbackText(const std::string& target) {
  return "(FAIL)Can't remote " + target +
         ", this and later commands go to the local module until a node is picked\r";
}

RemoteSetUpResult RemoteSetUp(WorkerContext& ctx, RemoteVariant variant) {
  RemoteSetUpResult result;
  // Whether only that node may answer: a console command asked for it, or a transfer or
  // identity exchange for a node other than the attached coordinator. If its set-up is refused
  // or unanswered the request ends: the local module's answer would pass for the node's, and a
  // write meant for the node would change the local module.
  bool onlyTheNode = false;
  const bool remote = ctx.session.Read([&](const LinkState& state) {
    result.target = state.request.targetAddress;
    onlyTheNode =
        variant == RemoteVariant::Console
            ? state.request.consoleToTarget
            : AskedForNode(state, variant) &&
                  !SameIgnoringCase(state.request.targetAddress, state.request.rootAddress);
    return GoesRemote(state, variant);
  });
  result.outcome = remote ? Exchange(ctx, variant, result.target) : RemoteOutcome::NotRemote;
  if (const std::uint32_t timeout = TimeoutAfter(variant, result.outcome); timeout != 0) {
    ctx.SetReadTimeout(timeout);
  }

  const bool console = variant == RemoteVariant::Console;
  switch (result.outcome) {
    case RemoteOutcome::NotRemote:
      if (!console) SetRemoteRefused(ctx, true, false, true);
      break;
    case RemoteOutcome::Ok:
      if (!console && !FindNode(ctx.nodeTable, result.target)) {
        result.proceed = false;
        if (variant == RemoteVariant::Identity) {
          result.failure = RemoteFailureText(variant, result.outcome, result.target);
        }
        break;
      }
      SetRemoteRefused(ctx, true, true, false);
      result.remote = true;
      break;
    case RemoteOutcome::Fail:
      // The identity exchanges leave the worker's copy as it was.
      SetRemoteRefused(ctx, variant != RemoteVariant::Identity, true, true);
      if (onlyTheNode) {
        result.proceed = false;
        result.failure = RemoteFailureText(variant, result.outcome, result.target);
      }
      break;
    case RemoteOutcome::TimeOut:
    case RemoteOutcome::RemoteError:
      if (variant == RemoteVariant::Config) SetRemoteRefused(ctx, true, false, true);
      result.proceed = false;
      result.failure = RemoteFailureText(variant, result.outcome, result.target);
      break;
    case RemoteOutcome::Silent:  // the console drops its command without a word
      result.proceed = !console && !onlyTheNode;
      if (!console && onlyTheNode) {
        result.failure = RemoteFailureText(variant, result.outcome, result.target);
      }
      break;
  }
  return result;
}

}  // namespace netloom::link
