#include "gui/view/worker_bridge.h"

#include <QMetaObject>
#include <string>

#include "gui/view/netloom_view.h"

namespace netloom::view {

template <typename Call>
void WorkerBridge::Post(Call&& call) {
  // Queued on the view: dropped by Qt if the view is gone by the time it would run.
  QMetaObject::invokeMethod(&view_, std::forward<Call>(call), Qt::QueuedConnection);
}

void WorkerBridge::QueryStarted() {
  Post([v = &view_] { v->OnQueryStarted(); });
}

void WorkerBridge::ClearDiagram() {
  Post([v = &view_] { v->ClearDiagram(); });
}

void WorkerBridge::NetworkReady(const link::NetworkSnapshot& snapshot) {
  Post([v = &view_, snapshot] { v->OnNetworkReady(snapshot); });
}

void WorkerBridge::ConfigTransferStarted() {
  Post([v = &view_] { v->WaitWhileBusy(); });
}

void WorkerBridge::ConfigValuesChanged() {
  Post([v = &view_] { v->OnConfigValuesChanged(); });
}

void WorkerBridge::AppendOutput(std::string_view text) {
  Post([v = &view_, text = std::string(text)] { v->AppendOutput(text); });
}

void WorkerBridge::ShowMessage(std::string_view text) {
  std::unique_lock lock(mutex_);
  if (released_) return;
  const auto ticket = ++messagesPosted_;
  lock.unlock();
  Post([this, ticket, v = &view_, text = std::string(text)] {
    v->ShowWorkerMessage(text);
    std::lock_guard done(mutex_);
    messagesDone_ = std::max(messagesDone_, ticket);
    shown_.notify_all();
  });
  lock.lock();
  shown_.wait(lock, [&] { return released_ || messagesDone_ >= ticket; });
}

void WorkerBridge::PortLost(std::string_view text) {
  Post([v = &view_, text = std::string(text)] { v->OnPortLost(text); });
}

void WorkerBridge::Release(bool released) {
  std::lock_guard lock(mutex_);
  released_ = released;
  if (released) messagesDone_ = messagesPosted_;
  shown_.notify_all();
}

}  // namespace netloom::view
