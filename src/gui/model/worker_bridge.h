// The link worker's reports, carried to the UI thread as posted calls on the controller.
//
// Every report is posted in the order the worker makes it; none runs on the worker thread.
// ShowMessage waits until the UI thread has shown the message and the user closed it (after a
// wait of the UI thread that was running when it came), or until the controller releases it
// (Release) because the connection is going away, so a worker never waits for a controller that
// is stopping it.
#pragma once

#include <condition_variable>
#include <mutex>

#include "core/link/worker/worker_listener.h"
#include "gui/model/ui_thread.h"

namespace netloom::model {

class ConnectionController;

class WorkerBridge final : public link::WorkerListener {
 public:
  WorkerBridge(ConnectionController& controller, UiThread& ui) : controller_(controller), ui_(ui) {}

  void QueryStarted() override;
  void ClearDiagram() override;
  void NetworkReady(const link::NetworkSnapshot& snapshot) override;
  void ConfigTransferStarted() override;
  void ConfigValuesChanged() override;
  void AppendOutput(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void PortLost(std::string_view text) override;
  void CommandFinished(const link::CommandReport& report) override;

  // While released, ShowMessage returns at once and waiting ones return. UI thread.
  void Release(bool released);

 private:
  ConnectionController& controller_;
  UiThread& ui_;
  std::mutex mutex_;
  std::condition_variable shown_;
  unsigned long long messagesPosted_ = 0;
  unsigned long long messagesDone_ = 0;
  bool released_ = false;
};

}  // namespace netloom::model
