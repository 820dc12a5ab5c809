#include "cli/progress_line.h"

#include <ostream>

namespace netloom::cli {
namespace {

// Back to the start of the line and erase it.
constexpr std::string_view kEraseLine = "\r\033[K";

}  // namespace

void ProgressLine::Show(std::string_view text) {
  if (!io_.errIsTerminal) return;
  io_.err << kEraseLine << text << std::flush;
  shown_ = true;
}

void ProgressLine::Clear() {
  if (shown_) io_.err << kEraseLine << std::flush;
  shown_ = false;
}

}  // namespace netloom::cli
