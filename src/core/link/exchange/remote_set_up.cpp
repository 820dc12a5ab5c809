#include "core/link/exchange/remote_set_up.h"

#include <array>

#include "core/catalogue/text_case.h"
#include "core/link/exchange/command_mode.h"

namespace netloom::link {
namespace {

constexpr int kAttempts = 3;
constexpr std::uint32_t kConsolePauseMs = 50;

using Row = std::array<RemoteRule, kRemoteRequestCount>;

constexpr RemoteRule Local(std::uint32_t ms) {
  return {RemoteStep::GoLocal, "", ms};
}
constexpr RemoteRule Remote(std::uint32_t ms) {
  return {RemoteStep::GoRemote, "", ms};
}
constexpr RemoteRule End(std::string_view cause, std::uint32_t ms) {
  return {RemoteStep::End, cause, ms};
}

// The causes that open the failure texts. The console writes "TimeOut" as one word, the others
// "Time Out" as two.
constexpr std::string_view kFail = "(FAIL)";
constexpr std::string_view kTimeOutConsole = "(TimeOut)";
constexpr std::string_view kTimeOut = "(Time Out)";
constexpr std::string_view kRemoteError = "(Remote error)";
constexpr std::string_view kNoAnswer = "(No answer)";
constexpr std::string_view kError = "(Error)";

// The decision table: a row per answer (RemoteAnswer's order), a column per request
// (RemoteRequest's order); each cell is Local(read time-out), Remote(read time-out) or
// End(cause, read time-out), a time-out of 0 leaving the read time-out as it was, a cause of ""
// ending without a word. A request for a node other than the coordinator ends after "FAIL" or
// silence: the local module's answer would pass for the node's, a command meant for the node
// (ATRESET, ATLEAVE) would act on the coordinator, and a write meant for the node would change
// the local module. For the coordinator's own address the local module is the one asked.
// clang-format off
constexpr std::array<Row, kRemoteAnswerCount> kRules{{
  //                 Console                    NodeConfig            CoordinatorConfig     NodeIdentity          CoordinatorIdentity
  /* NotAsked    */ {Local(200),                Local(500),           Local(500),           Local(500),           Local(500)},
  /* Ok          */ {Remote(500),               Remote(1000),         Remote(1000),         Remote(1000),         Remote(1000)},
  /* UnknownNode */ {Remote(500),               End("", 1000),        End("", 1000),        End(kError, 1000),    End(kError, 1000)},
  /* Fail        */ {End(kFail, 200),           End(kFail, 500),      Local(500),           End(kFail, 500),      Local(500)},
  /* TimeOut     */ {End(kTimeOutConsole, 200), End(kTimeOut, 0),     End(kTimeOut, 0),     End(kTimeOut, 0),     End(kTimeOut, 0)},
  /* RemoteError */ {End(kRemoteError, 200),    End(kRemoteError, 0), End(kRemoteError, 0), End(kRemoteError, 0), End(kRemoteError, 0)},
  /* Silent      */ {End(kNoAnswer, 0),         End(kNoAnswer, 0),    Local(0),             End(kNoAnswer, 0),    Local(0)},
}};
// clang-format on

RemoteRequest RequestOf(RemotePurpose purpose, bool coordinator) {
  switch (purpose) {
    case RemotePurpose::Console:
      return RemoteRequest::Console;
    case RemotePurpose::Config:
      return coordinator ? RemoteRequest::CoordinatorConfig : RemoteRequest::NodeConfig;
    case RemotePurpose::Identity:
      break;
  }
  return coordinator ? RemoteRequest::CoordinatorIdentity : RemoteRequest::NodeIdentity;
}

// Up to three reads; the texts are tested in the order OK, FAIL, Time.
RemoteAnswer AwaitAnswer(SerialPort& port) {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const std::size_t count = ReadBytes(port, buffer.data(), buffer.size());
    if (count == 0) continue;
    const std::string_view reply(reinterpret_cast<const char*>(buffer.data()), count);
    if (reply.find("OK") != std::string_view::npos) return RemoteAnswer::Ok;
    if (reply.find("FAIL") != std::string_view::npos) return RemoteAnswer::Fail;
    if (reply.find("Time") != std::string_view::npos) return RemoteAnswer::TimeOut;
    if (attempt == kAttempts) return RemoteAnswer::RemoteError;
  }
  return RemoteAnswer::Silent;
}

RemoteAnswer Ask(WorkerContext& ctx, RemotePurpose purpose, const std::string& target) {
  if (purpose != RemotePurpose::Identity) EscapeSequence(ctx.port, ctx.clock);
  WriteText(ctx.port, "ATCONSOLE " + target + " 0\r");
  if (purpose == RemotePurpose::Console) ctx.clock.Pause(kConsolePauseMs);
  const RemoteAnswer answer = AwaitAnswer(ctx.port);
  if (answer == RemoteAnswer::Ok && !FindNode(ctx.nodeTable, target)) {
    return RemoteAnswer::UnknownNode;
  }
  return answer;
}

// The coordinator's word on the node, for the next requests and the panes: "FAIL" refuses it,
// "OK" takes it; the other answers say nothing about the node.
void RecordAnswer(WorkerContext& ctx, RemoteAnswer answer, const std::string& target) {
  const bool took = answer == RemoteAnswer::Ok || answer == RemoteAnswer::UnknownNode;
  if (!took && answer != RemoteAnswer::Fail) return;
  ctx.session.Update([&](LinkState& state) {
    state.targeting.refusedNode = took ? std::string(kNoAddress) : target;
  });
}

}  // namespace

const RemoteRule& RemoteRuleFor(RemoteRequest request, RemoteAnswer answer) {
  return kRules[static_cast<std::size_t>(answer)][static_cast<std::size_t>(request)];
}

RemoteSetUpResult RemoteSetUp(WorkerContext& ctx, RemotePurpose purpose, const std::string& target,
                              bool asked) {
  RemoteSetUpResult result;
  result.target = target;
  const std::string root =
      ctx.session.Read([](const LinkState& s) { return s.request.rootAddress; });
  result.request = RequestOf(purpose, catalogue::SameIgnoringCase(target, root));
  if (asked && !IsNoAddress(target)) {
    result.answer = Ask(ctx, purpose, target);
    RecordAnswer(ctx, result.answer, target);
  }
  const RemoteRule& rule = RemoteRuleFor(result.request, result.answer);
  if (rule.readTimeoutMs != 0) ctx.SetReadTimeout(rule.readTimeoutMs);
  result.step = rule.step;
  if (!rule.cause.empty()) {
    result.failure = std::string(rule.cause) + "Can't remote " + target + ", Please try again!\r";
  }
  return result;
}

bool IsRemoteFailureText(std::string_view text) {
  return text.starts_with('(') && text.find(")Can't remote ") != std::string_view::npos &&
         text.ends_with(", Please try again!\r");
}

}  // namespace netloom::link
