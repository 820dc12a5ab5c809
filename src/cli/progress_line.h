// One line of progress on standard error, redrawn in place, and only when standard error is a
// terminal: a script that reads the output sees nothing of it.
#pragma once

#include <string_view>

#include "cli/cli.h"

namespace netloom::cli {

class ProgressLine {
 public:
  explicit ProgressLine(CommandIo& io) : io_(io) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Replaces the line with `text`.
  void Show(std::string_view text);
  // Removes the line, so that what follows starts on a clean line.
  void Clear();

 private:
  CommandIo& io_;
  bool shown_ = false;
};

}  // namespace netloom::cli
