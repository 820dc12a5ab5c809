// The remote set-up: before a request for another node, the coordinator is put into a remote
// console to that node with "ATCONSOLE <target> 0\r", and its answer decides where the request
// goes. The console, the configuration transfers and the identity exchanges share it; they
// differ in the prelude, the pause, the read time-outs and flags each outcome leaves, and in
// how they report a failure (output line, message box, wizard message).
// Worker thread only.
#pragma once

#include <string>
#include <string_view>

#include "core/link/worker/worker_context.h"

namespace netloom::link {

enum class RemoteVariant {
  Console,   // consoleRemote decides; "+++" first; 50 ms after ATCONSOLE
  Config,    // parametersRemote decides; "+++" first
  Identity,  // no pane flag; the exchange has sent its own prelude
};

// A request that only its node may answer (a console command asked for that node, a transfer
// or identity exchange for a node other than the attached coordinator) ends after "FAIL" or
// silence with "(FAIL)" or "(No answer)Can't remote"; the console's silence ends it without a
// word. Other requests go on to the local module then.
enum class RemoteOutcome {
  NotRemote,    // no target, the console's remote refused, or the pane's remote flag is off
  Ok,           // a reply held "OK"
  Fail,         // a reply held "FAIL": the coordinator refuses, the local module answers
  TimeOut,      // a reply held "Time"
  RemoteError,  // the third reply held none of the three
  Silent,       // three reads brought nothing
};

struct RemoteSetUpResult {
  RemoteOutcome outcome = RemoteOutcome::NotRemote;
  bool proceed = true;  // the request goes on
  bool remote = false;  // ... and to the target node (else to the local module)
  std::string target;   // the target address the set-up was for
  // When the request ends: the caller's failure text with the target filled in, or empty for
  // an end that shows nothing (console after three silent reads, configuration transfer whose
  // target answered "OK" but is not in the node table).
  std::string failure;
};

// Decides, runs the exchange when remote, and applies the outcome's read time-out and remote
// flags (worker's request and view) as the variant prescribes. Reports nothing itself.
RemoteSetUpResult RemoteSetUp(WorkerContext& ctx, RemoteVariant variant);

// The console's failure lines (TimeOut as one word) and the other requests' (Time Out); "(FAIL)"
// and "(No answer)" for a request only its node may answer.
std::string RemoteFailureText(RemoteVariant variant, RemoteOutcome outcome,
                              const std::string& target);
// Whether `text` is one of those failure texts.
bool IsRemoteFailureText(std::string_view text);
// The console's line when the coordinator refused its node and the command goes to the local
// module instead, as later ones do until a node is picked again.
std::string ConsoleFallbackText(const std::string& target);

}  // namespace netloom::link
