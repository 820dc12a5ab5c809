// Calendar time for what is kept and shown with a date: when a node was heard, when a byte
// crossed the line. Protocol pauses do not go through here (clock.h): this clock only tells
// the time, it never waits.
//
// The product uses SystemWallClock(); tests and benchmarks set a ManualWallClock and move it on,
// so ten minutes of a network's life pass without waiting.
// Thread safety: Now() may be called from any thread; ManualWallClock's setters too.
//
// Texts: UtcText gives ISO 8601 in UTC, "2026-12-11T08:01:51Z" or with milliseconds
// "2026-12-11T08:01:51.123Z"; ParseUtcText takes both forms back and nothing else.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace netloom::link {

using WallTime = std::chrono::system_clock::time_point;

class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual WallTime Now() const = 0;
};

// The machine's calendar clock.
const WallClock& SystemWallClock();

// A clock that stands still until it is set or moved on.
class ManualWallClock final : public WallClock {
 public:
  explicit ManualWallClock(WallTime start = WallTime{std::chrono::seconds{1'800'000'000}})
      : now_(start.time_since_epoch().count()) {}
  WallTime Now() const override { return WallTime{WallTime::duration{now_.load()}}; }
  void Set(WallTime time) { now_.store(time.time_since_epoch().count()); }
  void Advance(std::chrono::milliseconds by) {
    now_ += std::chrono::duration_cast<WallTime::duration>(by).count();
  }

 private:
  std::atomic<WallTime::rep> now_;
};

std::string UtcText(WallTime time, bool withMilliseconds = false);
std::optional<WallTime> ParseUtcText(std::string_view text);

}  // namespace netloom::link
