#include "gui/view/qt_ui_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <deque>
#include <mutex>

namespace netloom::view {
namespace detail {

// Posted calls cross from the worker threads to the UI thread in a queue of our own under a
// mutex; Qt's queue carries only a wake-up per call. Qt's queue alone would do the hand-over, but
// it is not built with ThreadSanitizer, so the sanitizer would see a call's captures written on
// one thread and read on another with nothing between them. The wake-up event itself is made
// inside Qt for the same reason: one made here, on the worker thread, is read on the UI thread
// by every application-wide event filter before Qt delivers it (hence the call by name: the
// member-pointer form makes its slot object here too).
class CallMailbox final : public QObject {
  Q_OBJECT

 public:
  explicit CallMailbox(QObject& context) : QObject(&context) {}

  void Post(std::function<void()> call) {
    {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
    }
    QMetaObject::invokeMethod(this, "DeliverOne", Qt::QueuedConnection);
  }

 private:
  Q_INVOKABLE void DeliverOne() {
    std::unique_lock lock(mutex_);
    if (calls_.empty()) return;
    const std::function<void()> call = std::move(calls_.front());
    calls_.pop_front();
    lock.unlock();
    call();
  }

  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;  // one per wake-up, in posting order
};

}  // namespace detail

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

QtUiThread::QtUiThread(QObject& context) : mailbox_(new detail::CallMailbox(context)) {}

QtUiThread::~QtUiThread() {
  delete mailbox_.data();  // its pending calls are dropped with it
}

void QtUiThread::Post(std::function<void()> call) {
  if (mailbox_) mailbox_->Post(std::move(call));
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

#include "qt_ui_thread.moc"
