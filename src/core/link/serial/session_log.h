// The session log: every byte sent to and received from a module on one port, timestamped to
// the millisecond and marked by direction, kept in memory (bounded) and saved as a text file
// that a bug report can carry and `netloom-cli sim --replay` serves back.
//
// File format (UTF-8 text, one entry per line, LF line ends):
//   # netloom session log 1
//   2026-12-11T08:01:51.123Z > 2B 2B 2B  +++
//   2026-12-11T08:01:51.180Z < 2B 2B 2B 0D 0A  +++..
// Each entry: the UTC time to the millisecond, ">" for bytes sent to the module or "<" for bytes
// received from it, the bytes in hex separated by blanks, then two blanks and the same bytes as
// text ('.' for what is not printable; the reader ignores that part). The first line names the
// format; other lines starting with "#" and empty lines are comments. Times never go back.
// Chunks of one direction within the same millisecond make one entry.
//
// Bound: the log keeps the newest entries whose bytes, plus kEntryCost per entry, stay within
// its limit (10 MB by default); older ones are dropped as new ones come.
// Thread safety: every member may be called from any thread (a mutex inside). The clock must
// outlive the log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/serial/port_tap.h"
#include "core/link/serial/wall_clock.h"

namespace netloom::link {

struct LogEntry {
  WallTime time{};
  Direction direction = Direction::Sent;
  std::vector<std::uint8_t> bytes;

  bool operator==(const LogEntry&) const = default;
};

inline constexpr std::size_t kDefaultSessionLogLimit = 10 * 1024 * 1024;
// What an entry costs against the limit beside its bytes.
inline constexpr std::size_t kEntryCost = 64;

class SessionLog final : public PortTap {
 public:
  explicit SessionLog(std::size_t limitBytes = kDefaultSessionLogLimit,
                      const WallClock& clock = SystemWallClock());

  void Note(Direction direction, std::span<const std::uint8_t> bytes) override;

  std::vector<LogEntry> Entries() const;
  // The newest `count` entries (all when it holds fewer), oldest first.
  std::vector<LogEntry> Tail(std::size_t count) const;
  // How many times bytes were noted: a reader that shows the log redraws only when it moved.
  std::uint64_t Noted() const;
  // What the entries held count against the limit.
  std::size_t Size() const;
  void Clear();

  // The file's text of what the log holds.
  std::string Text() const;
  // Writes Text() to `path`: empty on success, else "cannot write FILE: reason".
  std::string Save(const std::string& path) const;

 private:
  const std::size_t limit_;
  const WallClock& clock_;
  mutable std::mutex mutex_;
  std::deque<LogEntry> entries_;
  std::size_t size_ = 0;
  std::uint64_t noted_ = 0;
};

// The file's text of `entries`.
std::string SessionLogText(std::span<const LogEntry> entries);

struct LogReadResult {
  std::optional<std::vector<LogEntry>> entries;
  std::string error;  // "line 3: ..." or "not a netloom session log"; empty with entries
};
LogReadResult ReadSessionLog(std::string_view text);
// The error names the file: "FILE: reason".
LogReadResult LoadSessionLog(const std::string& path);

}  // namespace netloom::link
