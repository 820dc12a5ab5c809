#include "core/link/exchange/remote_set_up.h"

#include <array>

#include "core/catalogue/text_case.h"
#include "core/link/exchange/command_mode.h"

namespace netloom::link {
namespace {

constexpr int kAttempts = 3;
constexpr std::uint32_t kConsolePauseMs = 50;

using Step = RemoteStep;
using Row = std::array<RemoteRule, kRemoteAnswerCount>;

// The decision table, one row per request, one cell per answer in RemoteAnswer's order:
//   NotAsked, Ok, UnknownNode, Fail, TimeOut, RemoteError, Silent.
// A request that only its node may answer ends after "FAIL" or silence: the local module's
// answer would pass for the node's, and a write meant for the node would change the local
// module. The console writes "TimeOut" as one word, the others "Time Out" as two.
constexpr std::array<Row, kRemoteRequestCount> kRules{{
    // Console: the console pane's command for the selected node.
    {{{Step::GoLocal, "", 200},            // NotAsked
      {Step::GoRemote, "", 500},           // Ok
      {Step::GoRemote, "", 500},           // UnknownNode: not looked up
      {Step::GoLocalNotice, "", 200},      // Fail
      {Step::End, "(TimeOut)", 200},       // TimeOut
      {Step::End, "(Remote error)", 200},  // RemoteError
      {Step::End, "", 0}}},                // Silent
    // NodeConsole: a console command that only its node may answer.
    {{{Step::GoLocal, "", 200},            // NotAsked
      {Step::GoRemote, "", 500},           // Ok
      {Step::GoRemote, "", 500},           // UnknownNode
      {Step::End, "(FAIL)", 200},          // Fail
      {Step::End, "(TimeOut)", 200},       // TimeOut
      {Step::End, "(Remote error)", 200},  // RemoteError
      {Step::End, "", 0}}},                // Silent
    // NodeConfig: a configuration transfer for a node.
    {{{Step::GoLocal, "", 500},          // NotAsked
      {Step::GoRemote, "", 1000},        // Ok
      {Step::End, "", 1000},             // UnknownNode
      {Step::End, "(FAIL)", 500},        // Fail
      {Step::End, "(Time Out)", 0},      // TimeOut
      {Step::End, "(Remote error)", 0},  // RemoteError
      {Step::End, "(No answer)", 0}}},   // Silent
    // CoordinatorConfig: a configuration transfer for the coordinator's own address.
    {{{Step::GoLocal, "", 500},          // NotAsked
      {Step::GoRemote, "", 1000},        // Ok
      {Step::End, "", 1000},             // UnknownNode
      {Step::GoLocal, "", 500},          // Fail
      {Step::End, "(Time Out)", 0},      // TimeOut
      {Step::End, "(Remote error)", 0},  // RemoteError
      {Step::GoLocal, "", 0}}},          // Silent
    // NodeIdentity: an identity exchange for a node.
    {{{Step::GoLocal, "", 500},          // NotAsked
      {Step::GoRemote, "", 1000},        // Ok
      {Step::End, "(Error)", 1000},      // UnknownNode
      {Step::End, "(FAIL)", 500},        // Fail
      {Step::End, "(Time Out)", 0},      // TimeOut
      {Step::End, "(Remote error)", 0},  // RemoteError
      {Step::End, "(No answer)", 0}}},   // Silent
    // CoordinatorIdentity: an identity exchange for the coordinator's own address.
    {{{Step::GoLocal, "", 500},          // NotAsked
      {Step::GoRemote, "", 1000},        // Ok
      {Step::End, "(Error)", 1000},      // UnknownNode
      {Step::GoLocal, "", 500},          // Fail
      {Step::End, "(Time Out)", 0},      // TimeOut
      {Step::End, "(Remote error)", 0},  // RemoteError
      {Step::GoLocal, "", 0}}},          // Silent
}};

RemoteRequest RequestOf(RemotePurpose purpose, bool coordinator) {
  switch (purpose) {
    case RemotePurpose::Console:
      return RemoteRequest::Console;
    case RemotePurpose::NodeConsole:
      return RemoteRequest::NodeConsole;
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
  const bool console = purpose == RemotePurpose::Console || purpose == RemotePurpose::NodeConsole;
  if (purpose != RemotePurpose::Identity) EscapeSequence(ctx.port, ctx.clock);
  WriteText(ctx.port, "ATCONSOLE " + target + " 0\r");
  if (console) ctx.clock.Pause(kConsolePauseMs);
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
  return kRules[static_cast<std::size_t>(request)][static_cast<std::size_t>(answer)];
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

std::string ConsoleFallbackText(const std::string& target) {
  return "(FAIL)Can't remote " + target +
         ", this and later commands go to the local module until a node is picked\r";
}

}  // namespace netloom::link
