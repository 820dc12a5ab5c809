// The refresh period chosen for each port, for the life of the process: a document that opens a
// port again, or switches back to it, refreshes as it did. UI thread only.
#pragma once

#include <map>
#include <string>

namespace netloom::model {

class RefreshPeriods {
 public:
  static constexpr int kDefaultSeconds = 5;
  static constexpr int kMinSeconds = 5;
  static constexpr int kMaxSeconds = 60;

  // The period remembered for the port at `path`, or kDefaultSeconds.
  int For(const std::string& path) const;
  // Remembers `seconds`, kept within kMinSeconds..kMaxSeconds, for `path`; returns what it kept.
  int Remember(const std::string& path, int seconds);

 private:
  std::map<std::string, int> seconds_;
};

// The program's one memory of periods.
RefreshPeriods& ProcessRefreshPeriods();

}  // namespace netloom::model
