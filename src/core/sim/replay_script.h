// A recorded session served back: the virtual module answers each command line the log holds
// with the bytes the real module sent after it, so a session can be reproduced without the
// hardware.
//
// A log's lines are cut as the module reads them: the bytes the host sent up to each CR (LF
// dropped, at most SimLink::kMaxLine kept); the reply to a line is everything received after
// that CR and before the next line's CR — the echo included, as the module sent it. A line sent
// several times gets its replies in the order they were recorded; once they are used up, the
// last one again. A line the log never held gets no answer at all, as from a module that
// stays silent.
// A script belongs to the module's serving thread.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/link/serial/session_log.h"

namespace netloom::sim {

class ReplayScript {
 public:
  static ReplayScript FromLog(std::span<const link::LogEntry> entries);

  // The reply to `line` (without CR), or nothing for a line the log never held.
  std::optional<std::string> Reply(const std::string& line);
  // How many different lines the log held.
  std::size_t LineCount() const { return replies_.size(); }

 private:
  struct Replies {
    std::vector<std::string> texts;
    std::size_t next = 0;
  };
  std::map<std::string, Replies> replies_;
};

}  // namespace netloom::sim
