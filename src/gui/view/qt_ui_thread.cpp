#include "gui/view/qt_ui_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

namespace netloom::view {
namespace {

class QtTimer final : public model::Timer {
 public:
  explicit QtTimer(std::function<void()> fire) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(fire));
  }
  void Start(std::chrono::milliseconds delay) override { timer_.start(delay); }
  void Stop() override { timer_.stop(); }
  bool Active() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

}  // namespace

void QtUiThread::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

void QtUiThread::ServeEventsButInput() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::unique_ptr<model::Timer> QtUiThread::MakeTimer(std::function<void()> fire) {
  return std::make_unique<QtTimer>(std::move(fire));
}

}  // namespace netloom::view
