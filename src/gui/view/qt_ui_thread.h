// The Qt event loop as the model's UiThread: posted calls are queued on a context object (and
// dropped with it), waits serve every event and drop user input, timers are single-shot QTimers.
#pragma once

#include <QObject>

#include "gui/model/ui_thread.h"

namespace netloom::view {

class QtUiThread final : public model::UiThread {
 public:
  // Posted calls run in `context`'s thread and are dropped once it is destroyed.
  explicit QtUiThread(QObject& context) : context_(context) {}

  void Post(std::function<void()> call) override;
  void ServeEventsButInput() override;
  std::unique_ptr<model::Timer> MakeTimer(std::function<void()> fire) override;

 private:
  QObject& context_;
};

}  // namespace netloom::view
