#include "core/link/serial/wall_clock.h"

#include <cstdio>

namespace netloom::link {
namespace {

class SystemClockImpl final : public WallClock {
 public:
  WallTime Now() const override { return std::chrono::system_clock::now(); }
};

// Reads exactly `width` decimal digits at `pos`.
std::optional<int> Digits(std::string_view text, std::size_t pos, std::size_t width) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

const WallClock& SystemWallClock() {
  static const SystemClockImpl clock;
  return clock;
}

std::string UtcText(WallTime time, bool withMilliseconds) {
  using namespace std::chrono;
  const auto ms = floor<milliseconds>(time);
  const auto day = floor<days>(ms);
  const year_month_day date{day};
  const hh_mm_ss clock{ms - day};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  std::string result = text;
  if (withMilliseconds) {
    std::snprintf(text, sizeof text, ".%03d", static_cast<int>(clock.subseconds().count()));
    result += text;
  }
  return result + "Z";
}

std::optional<WallTime> ParseUtcText(std::string_view text) {
  using namespace std::chrono;
  // "YYYY-MM-DDTHH:MM:SS" then ".mmm" or nothing, then "Z".
  if (text.size() != 20 && text.size() != 24) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
      text.back() != 'Z') {
    return std::nullopt;
  }
  const auto y = Digits(text, 0, 4), mo = Digits(text, 5, 2), d = Digits(text, 8, 2);
  const auto h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
  if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  int millis = 0;
  if (text.size() == 24) {
    const auto ms = Digits(text, 20, 3);
    if (text[19] != '.' || !ms) return std::nullopt;
    millis = *ms;
  }
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)},
                            day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return WallTime{sys_days{date} + hours{*h} + minutes{*mi} + seconds{*s} + milliseconds{millis}};
}

}  // namespace netloom::link
