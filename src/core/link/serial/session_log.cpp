#include "core/link/serial/session_log.h"

#include "core/catalogue/digits.h"
#include "core/link/serial/serial_trace.h"
#include "core/link/serial/text_file.h"

namespace netloom::link {
namespace {

constexpr std::string_view kHeader = "# netloom session log 1";
constexpr std::size_t kTimeLength = 24;  // "2026-12-11T08:01:51.123Z"

// One entry line; nothing and `error` set when it is not one.
std::optional<LogEntry> ParseEntry(std::string_view line, std::string& error) {
  LogEntry entry;
  const auto time = ParseUtcText(line.substr(0, kTimeLength));
  if (line.size() < kTimeLength || !time) {
    error = "no time to the millisecond at the start";
    return std::nullopt;
  }
  entry.time = *time;
  line.remove_prefix(kTimeLength);
  if (line.size() < 4 || line[0] != ' ' || (line[1] != '>' && line[1] != '<') || line[2] != ' ') {
    error = "no direction ('>' or '<') after the time";
    return std::nullopt;
  }
  entry.direction = static_cast<Direction>(line[1]);
  line.remove_prefix(3);
  // Hex pairs separated by one blank; two blanks start the text part.
  for (std::size_t at = 0;;) {
    const auto byte = catalogue::ParseHexDigits(line.substr(at), 2);
    if (!byte) {
      error = "bytes are not pairs of hex digits";
      return std::nullopt;
    }
    entry.bytes.push_back(static_cast<std::uint8_t>(*byte));
    at += 2;
    if (at == line.size() || line.substr(at, 2) == "  ") break;
    if (line[at] != ' ') {
      error = "bytes are not pairs of hex digits";
      return std::nullopt;
    }
    ++at;
  }
  return entry;
}

}  // namespace

SessionLog::SessionLog(std::size_t limitBytes, const WallClock& clock)
    : limit_(limitBytes), clock_(clock) {}

void SessionLog::Note(Direction direction, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  const WallTime now = std::chrono::floor<std::chrono::milliseconds>(clock_.Now());
  std::lock_guard lock(mutex_);
  ++noted_;
  if (!entries_.empty() && entries_.back().direction == direction && entries_.back().time >= now) {
    entries_.back().bytes.insert(entries_.back().bytes.end(), bytes.begin(), bytes.end());
  } else {
    // Times never go back, even when the calendar clock is set back.
    const WallTime time = entries_.empty() ? now : std::max(now, entries_.back().time);
    entries_.push_back({time, direction, {bytes.begin(), bytes.end()}});
    size_ += kEntryCost;
  }
  size_ += bytes.size();
  while (size_ > limit_ && !entries_.empty()) {
    size_ -= entries_.front().bytes.size() + kEntryCost;
    entries_.pop_front();
  }
}

std::vector<LogEntry> SessionLog::Entries() const {
  std::lock_guard lock(mutex_);
  return {entries_.begin(), entries_.end()};
}

std::vector<LogEntry> SessionLog::Tail(std::size_t count) const {
  std::lock_guard lock(mutex_);
  const auto first = entries_.size() > count ? entries_.end() - static_cast<std::ptrdiff_t>(count)
                                             : entries_.begin();
  return {first, entries_.end()};
}

std::uint64_t SessionLog::Noted() const {
  std::lock_guard lock(mutex_);
  return noted_;
}

std::size_t SessionLog::Size() const {
  std::lock_guard lock(mutex_);
  return size_;
}

void SessionLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  size_ = 0;
}

std::string SessionLog::Text() const {
  const auto entries = Entries();
  return SessionLogText(entries);
}

std::string SessionLog::Save(const std::string& path) const {
  const std::string error = WriteTextFile(path, Text());
  return error.empty() ? error : "cannot write " + path + ": " + error;
}

std::string SessionLogText(std::span<const LogEntry> entries) {
  std::string text(kHeader);
  text += '\n';
  for (const auto& entry : entries) {
    text += UtcText(entry.time, true) + " " + static_cast<char>(entry.direction) + " " +
            detail::FormatBytes(entry.bytes) + "\n";
  }
  return text;
}

LogReadResult ReadSessionLog(std::string_view text) {
  std::vector<LogEntry> entries;
  std::size_t number = 0;
  bool headerSeen = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!headerSeen) {
      if (line != kHeader) return {std::nullopt, "not a netloom session log"};
      headerSeen = true;
      continue;
    }
    if (line.empty() || line.front() == '#') continue;
    std::string error;
    auto entry = ParseEntry(line, error);
    if (!entry) return {std::nullopt, "line " + std::to_string(number) + ": " + error};
    if (!entries.empty() && entry->time < entries.back().time) {
      return {std::nullopt, "line " + std::to_string(number) + ": the time goes back"};
    }
    entries.push_back(std::move(*entry));
  }
  if (!headerSeen) return {std::nullopt, "not a netloom session log"};
  return {std::move(entries), {}};
}

LogReadResult LoadSessionLog(const std::string& path) {
  std::string error;
  const auto text = ReadTextFile(path, error);
  if (!text) return {std::nullopt, path + ": " + error};
  LogReadResult result = ReadSessionLog(*text);
  if (!result.entries) result.error = path + ": " + result.error;
  return result;
}

}  // namespace netloom::link
