#include "gui/model/worker_bridge.h"

#include <algorithm>
#include <string>

#include "gui/model/connection_controller.h"

namespace netloom::model {

void WorkerBridge::QueryStarted() {
  ui_.Post([c = &controller_] { c->OnQueryStarted(); });
}

void WorkerBridge::ClearDiagram() {
  ui_.Post([c = &controller_] { c->OnClearDiagram(); });
}

void WorkerBridge::NetworkReady(const link::NetworkSnapshot& snapshot) {
  ui_.Post([c = &controller_, snapshot] { c->OnNetworkReady(snapshot); });
}

void WorkerBridge::ConfigTransferStarted() {
  ui_.Post([c = &controller_] { c->OnConfigTransferStarted(); });
}

void WorkerBridge::ConfigValuesChanged() {
  ui_.Post([c = &controller_] { c->OnConfigValuesChanged(); });
}

void WorkerBridge::AppendOutput(std::string_view text) {
  ui_.Post([c = &controller_, text = std::string(text)] { c->OnAppendOutput(text); });
}

void WorkerBridge::ShowMessage(std::string_view text) {
  std::unique_lock lock(mutex_);
  if (released_) return;
  const auto ticket = ++messagesPosted_;
  lock.unlock();
  ui_.Post([this, ticket, text = std::string(text)] {
    // Reported as shown only once it was: after a wait that runs now, when the user closed it.
    controller_.OnWorkerMessage(text, [this, ticket] {
      std::lock_guard done(mutex_);
      messagesDone_ = std::max(messagesDone_, ticket);
      shown_.notify_all();
    });
  });
  lock.lock();
  shown_.wait(lock, [&] { return released_ || messagesDone_ >= ticket; });
}

void WorkerBridge::PortLost(std::string_view text) {
  ui_.Post([c = &controller_, text = std::string(text)] { c->OnPortLost(text); });
}

void WorkerBridge::CommandFinished(const link::CommandReport& report) {
  ui_.Post([c = &controller_, report] { c->OnCommandFinished(report); });
}

void WorkerBridge::Release(bool released) {
  std::lock_guard lock(mutex_);
  released_ = released;
  if (released) messagesDone_ = messagesPosted_;
  shown_.notify_all();
}

}  // namespace netloom::model
