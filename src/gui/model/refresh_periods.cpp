#include "gui/model/refresh_periods.h"

#include <algorithm>

namespace netloom::model {

int RefreshPeriods::For(const std::string& path) const {
  const auto it = seconds_.find(path);
  return it == seconds_.end() ? kDefaultSeconds : it->second;
}

int RefreshPeriods::Remember(const std::string& path, int seconds) {
  return seconds_[path] = std::clamp(seconds, kMinSeconds, kMaxSeconds);
}

RefreshPeriods& ProcessRefreshPeriods() {
  static RefreshPeriods periods;
  return periods;
}

}  // namespace netloom::model
