// The Qt event loop as the model's UiThread: posted calls are queued on a context object (and
// dropped with it), waits serve every event and drop user input, timers are single-shot QTimers.
#pragma once

#include <QObject>
#include <QPointer>

#include "gui/model/ui_thread.h"

namespace netloom::view {

namespace detail {
class CallMailbox;
}

class QtUiThread final : public model::UiThread {
 public:
  // Posted calls run in `context`'s thread and are dropped once it or this is destroyed.
  explicit QtUiThread(QObject& context);
  ~QtUiThread() override;
  QtUiThread(const QtUiThread&) = delete;
  QtUiThread& operator=(const QtUiThread&) = delete;

  void Post(std::function<void()> call) override;
  void ServeEventsButInput() override;
  std::unique_ptr<model::Timer> MakeTimer(std::function<void()> fire) override;

 private:
  QPointer<detail::CallMailbox> mailbox_;  // a child of the context
};

}  // namespace netloom::view
