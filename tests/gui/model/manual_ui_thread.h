// A UiThread for tests without Qt: posted calls queue until the test runs them, timers fire
// when the test says so or when the test clock passes their deadline.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "gui/model/ui_thread.h"

namespace netloom::testsupport {

class ManualTimer final : public model::Timer {
 public:
  // `now` is the test clock the timer's deadline is taken on.
  ManualTimer(std::function<void()> fire, const std::chrono::milliseconds& now)
      : fire_(std::move(fire)), now_(now) {}
  void Start(std::chrono::milliseconds delay) override {
    delay_ = delay;
    deadline_ = now_ + delay;
    active_ = true;
  }
  void Stop() override { active_ = false; }
  bool Active() const override { return active_; }
  std::chrono::milliseconds delay() const { return delay_; }
  std::chrono::milliseconds deadline() const { return deadline_; }
  // Fires when armed, as the expired timer would.
  void Fire() {
    if (!active_) return;
    active_ = false;
    fire_();
  }

 private:
  std::function<void()> fire_;
  const std::chrono::milliseconds& now_;
  std::chrono::milliseconds delay_{0};
  std::chrono::milliseconds deadline_{0};
  bool active_ = false;
};

class ManualUiThread final : public model::UiThread {
 public:
  void Post(std::function<void()> call) override {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
    arrived_.notify_all();
  }
  void ServeEventsButInput() override {
    if (onServe) onServe();
    RunPosted();
  }
  std::unique_ptr<model::Timer> MakeTimer(std::function<void()> fire) override {
    auto timer = std::make_unique<ManualTimer>(std::move(fire), now_);
    timers_.push_back(timer.get());
    return timer;
  }

  // Runs the calls posted so far.
  void RunPosted() {
    std::deque<std::function<void()>> calls;
    {
      std::lock_guard lock(mutex_);
      calls.swap(posted_);
    }
    for (auto& call : calls) call();
  }
  // Runs posted calls as they come until `done` holds; false when `limit` passed first.
  bool RunUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_until(lock, end, [&] { return !posted_.empty(); })) return done();
      }
      RunPosted();
    }
    return true;
  }
  // Waits until `count` calls are posted and not yet run; false when `limit` passed first.
  bool WaitPosted(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, limit, [&] { return posted_.size() >= count; });
  }
  // The test clock: it moves only by Advance, which fires the timers whose deadline it passes.
  std::chrono::milliseconds now() const { return now_; }
  void Advance(std::chrono::milliseconds by) {
    now_ += by;
    for (ManualTimer* timer : timers_)
      if (timer->Active() && timer->deadline() <= now_) timer->Fire();
  }
  // The timers in the order the controller made them.
  const std::vector<ManualTimer*>& timers() const { return timers_; }

  // Runs at every serve of a wait, before the posted calls.
  std::function<void()> onServe;

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> posted_;
  std::vector<ManualTimer*> timers_;
  std::chrono::milliseconds now_{0};
};

}  // namespace netloom::testsupport
