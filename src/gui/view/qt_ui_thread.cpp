#include "gui/view/qt_ui_thread.h"

#include <QCoreApplication>
#include <QEvent>
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

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// While it lives, user input to any object of the application is eaten. A close request of a
// window is not input: it still comes through.
class InputDropper final : public QObject {
 public:
  InputDropper() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputDropper() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return IsUserInput(event->type()); }
};

}  // namespace

void QtUiThread::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

void QtUiThread::ServeEventsButInput() {
  // Input is taken and dropped rather than left queued: held back, it would replay after the
  // wait on a state that no longer holds.
  const InputDropper dropper;
  QCoreApplication::processEvents();
}

std::unique_ptr<model::Timer> QtUiThread::MakeTimer(std::function<void()> fire) {
  return std::make_unique<QtTimer>(std::move(fire));
}

}  // namespace netloom::view
