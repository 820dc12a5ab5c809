// The link worker's reports, carried to the UI thread as queued calls on the view.
//
// Every report is posted in the order the worker makes it; none touches a widget on the worker
// thread. ShowMessage waits until the UI thread has shown the message and the user closed it,
// or until the view releases it (Release) because the connection is going away, so a worker
// never waits for a view that is stopping it.
#pragma once

#include <condition_variable>
#include <mutex>

#include "core/link/worker_listener.h"

namespace netloom::view {

class CNetloomView;

class WorkerBridge final : public link::WorkerListener {
 public:
  explicit WorkerBridge(CNetloomView& view) : view_(view) {}

  void QueryStarted() override;
  void ClearDiagram() override;
  void NetworkReady(const link::NetworkSnapshot& snapshot) override;
  void ConfigTransferStarted() override;
  void ConfigValuesChanged() override;
  void AppendOutput(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void PortLost(std::string_view text) override;

  // While released, ShowMessage returns at once and waiting ones return. UI thread.
  void Release(bool released);

 private:
  template <typename Call>
  void Post(Call&& call);

  CNetloomView& view_;
  std::mutex mutex_;
  std::condition_variable shown_;
  unsigned long long messagesPosted_ = 0;
  unsigned long long messagesDone_ = 0;
  bool released_ = false;
};

}  // namespace netloom::view
