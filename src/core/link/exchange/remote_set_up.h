// The remote set-up: before a request for another node, the coordinator is put into a remote
// console to that node with "ATCONSOLE <target> 0\r", and its answer decides where the request
// goes. The console, the configuration transfers and the identity exchanges share it.
//
// What each request does with each answer is one decision table (RemoteRuleFor), from the
// request (what was asked, for whom) and the coordinator's answer to {go on locally, go on to
// the node, end with a failure text or none} and the flags the answer leaves (read time-out,
// refusal). How each request reports a failure (output line, message box, identity message) is
// its own. Worker thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/worker/worker_context.h"

namespace netloom::link {

// Which requests call the set-up; each has its prelude.
enum class RemotePurpose {
  Console,   // console commands: "+++" first, 50 ms after ATCONSOLE
  Config,    // configuration transfers: "+++" first
  Identity,  // identity exchanges: they have sent their own prelude
};

// The rows of the table: what was asked, for whom.
enum class RemoteRequest {
  Console,              // a console command for a node
  NodeConfig,           // a configuration transfer for a node other than the coordinator
  CoordinatorConfig,    // a configuration transfer for the coordinator's own address
  NodeIdentity,         // an identity exchange for a node other than the coordinator
  CoordinatorIdentity,  // an identity exchange for the coordinator's own address
};
inline constexpr int kRemoteRequestCount = 5;

// The columns: the coordinator's answer.
enum class RemoteAnswer {
  NotAsked,     // no set-up: no target, or the pane's remote switch off
  Ok,           // a reply held "OK", and the target is in the worker's node table
  UnknownNode,  // a reply held "OK", but the target is not in the worker's node table
  Fail,         // a reply held "FAIL": the coordinator refuses the node
  TimeOut,      // a reply held "Time"
  RemoteError,  // the third reply held none of "OK", "FAIL", "Time"
  Silent,       // three reads brought nothing
};
inline constexpr int kRemoteAnswerCount = 7;

enum class RemoteStep {
  GoLocal,   // the request goes on, to the local module
  GoRemote,  // the request goes on, to the target node
  End,       // the request ends here
};

// What a request does after an answer.
struct RemoteRule {
  RemoteStep step = RemoteStep::GoLocal;
  // End: the cause that opens the failure text ("(FAIL)"); empty: it ends without a word.
  std::string_view cause;
  std::uint32_t readTimeoutMs = 0;  // the read time-out afterwards; 0 leaves it as it was
};

// The cell of the decision table. Besides, the session's targeting records the coordinator's
// word on the node for the panes to show: "FAIL" refuses it, "OK" takes it, the other answers
// leave it. A refusal holds nothing back: the next request for the node asks again.
const RemoteRule& RemoteRuleFor(RemoteRequest request, RemoteAnswer answer);

struct RemoteSetUpResult {
  RemoteRequest request = RemoteRequest::Console;
  RemoteAnswer answer = RemoteAnswer::NotAsked;
  RemoteStep step = RemoteStep::GoLocal;  // the rule's step
  std::string target;                     // the address the request was for (kNoAddress: none)
  // When the request ends: its failure text with the target filled in; empty for an end that
  // shows nothing.
  std::string failure;

  // The request goes on ...
  bool proceed() const { return step != RemoteStep::End; }
  // ... and to the target node (else to the local module).
  bool remote() const { return step == RemoteStep::GoRemote; }
};

// Decides, runs the exchange when remote, applies the rule's read time-out and records the
// coordinator's answer in the session's targeting. `target`: the address the request is for
// (kNoAddress: none); `asked`: whether the request asks for a node at all (the pane's switch is
// on, or the request names its node). A transfer or identity exchange for the network query's
// root address is the coordinator's. Reports nothing itself.
RemoteSetUpResult RemoteSetUp(WorkerContext& ctx, RemotePurpose purpose, const std::string& target,
                              bool asked);

// Whether `text` is one of the set-up's failure texts ("(cause)Can't remote <target>, Please try
// again!\r").
bool IsRemoteFailureText(std::string_view text);

}  // namespace netloom::link
