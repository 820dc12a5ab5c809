// What the configuration read and write share: their start (busy flag, the report, the remote
// set-up), where an image is stored, and their end (busy cleared before any message, the
// closing escape, the 200 ms read time-out). Worker thread only.
#pragma once

#include <string>
#include <string_view>

#include "core/link/exchange/remote_set_up.h"
#include "core/link/walk/node_table.h"
#include "core/link/worker/worker_context.h"
#include "core/link/worker/worker_listener.h"

namespace netloom::link::detail {

// How the steps after the set-up ended: the message to show (empty: none) and whether the
// image went through.
struct Outcome {
  std::string message;
  bool succeeded = false;
};

class ConfigTransfer {
 public:
  // Sets the session's busy flag, reports ConfigTransferStarted, then runs the remote set-up
  // for the selected node while the Parameters switch is on.
  ConfigTransfer(WorkerContext& ctx, WorkerCommand code);
  ConfigTransfer(const ConfigTransfer&) = delete;
  ConfigTransfer& operator=(const ConfigTransfer&) = delete;

  // False when the set-up ended the request, with SetUpFailure as its message (possibly none).
  bool Proceed() const { return setUp_.proceed(); }
  const std::string& SetUpFailure() const { return setUp_.failure; }
  // The image goes to the target node rather than to the local module.
  bool Remote() const { return setUp_.remote(); }

  // Stores `image` as the module's: the local module's in localImage and the session's
  // transferred image; a remote node's in a new record that replaces the old one in the
  // worker's table, which the listener then gets as its owner's new copy.
  void Store(const ConfigImage& image);

  // One more frame of the image received or acknowledged (the session's progress).
  void FrameDone();
  // The end of every path: clears busy, shows `message` (none when empty), closes a remote
  // console the set-up may have left open with the escape sequence, and applies the 200 ms
  // read time-out. Once only. The report names `message` as the failure unless `succeeded`
  // (a set-up that ends without a message fails with none).
  CommandReport End(std::string_view message, bool succeeded);

 private:
  WorkerContext& ctx_;
  CommandReport report_;
  RemoteSetUpResult setUp_;
  std::int32_t framesDone_ = 0;
};

// One whole transfer: the start, the set-up, `steps` when the set-up lets the request go on,
// and the end with the steps' message.
using TransferSteps = Outcome (*)(WorkerContext& ctx, ConfigTransfer& transfer);
CommandReport RunTransfer(WorkerContext& ctx, WorkerCommand code, TransferSteps steps);

// Sets the session's transferred image.
void SetTransferredImage(WorkerContext& ctx, const ConfigImage& image);

}  // namespace netloom::link::detail
