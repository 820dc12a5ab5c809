// What a widget-free controller needs of the UI thread it lives on: posting a call to it,
// serving its events during a wait, and one-shot timers.
//
// The desktop program backs it with Qt (gui/view/qt_ui_thread.h); tests drive a manual one, so
// the controller's rules are tested without Qt and without real time.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace netloom::model {

// A one-shot timer whose call runs on the UI thread. UI thread only.
class Timer {
 public:
  virtual ~Timer() = default;
  // Arms the timer to fire once after `delay`; an armed timer starts over.
  virtual void Start(std::chrono::milliseconds delay) = 0;
  virtual void Stop() = 0;
  virtual bool Active() const = 0;
};

class UiThread {
 public:
  virtual ~UiThread() = default;
  // Runs `call` on the UI thread after the current event. Any thread may post. Calls still
  // queued when the poster's owner goes are dropped.
  virtual void Post(std::function<void()> call) = 0;
  // Serves what is pending (painting, posted calls, timers) and drops user input that arrived,
  // then returns. UI thread.
  virtual void ServeEventsButInput() = 0;
  // A one-shot timer that runs `fire` when it expires.
  virtual std::unique_ptr<Timer> MakeTimer(std::function<void()> fire) = 0;
};

}  // namespace netloom::model
