// Session log entries as lines for a person to read: the hex view of a document's output pane
// (View > Hex) and the read-only pane of a session log opened from a file.
//
// Pure functions of their arguments; callable from any thread.
#pragma once

#include <span>
#include <string>

#include "core/link/serial/session_log.h"

namespace netloom::model {

inline constexpr std::size_t kHexBytesPerLine = 16;

// Each entry in lines of kHexBytesPerLine bytes: the time of day to the millisecond (UTC) and
// the direction on the entry's first line, blanks on the lines that go on with it, then the
// bytes in hex padded to a full line, then the same bytes as text ('.' for what is not
// printable). Lines end with LF:
//   08:01:51.123 >  41 54 0D                                         AT.
std::string HexLines(std::span<const link::LogEntry> entries);

// Each entry as one line: the full UTC time to the millisecond, the direction, and the bytes as
// text, control characters and bytes beyond ASCII written as escapes ("\r", "\n", "\x1B"):
//   2026-12-11T08:01:51.123Z > ATNETINFO 0000 0\r
std::string TimedTextLines(std::span<const link::LogEntry> entries);

}  // namespace netloom::model
