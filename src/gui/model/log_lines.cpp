#include "gui/model/log_lines.h"

#include <algorithm>

namespace netloom::model {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kTimeOfDayStart = 11;  // in "2026-12-11T08:01:51.123Z"
constexpr std::size_t kTimeOfDayLength = 12;

bool Printable(std::uint8_t byte) {
  return byte >= 0x20 && byte < 0x7F;
}

}  // namespace

std::string HexLines(std::span<const link::LogEntry> entries) {
  std::string text;
  for (const auto& entry : entries) {
    const std::string time =
        link::UtcText(entry.time, true).substr(kTimeOfDayStart, kTimeOfDayLength) + " " +
        static_cast<char>(entry.direction);
    for (std::size_t at = 0; at < entry.bytes.size(); at += kHexBytesPerLine) {
      const auto line =
          std::span(entry.bytes).subspan(at, std::min(kHexBytesPerLine, entry.bytes.size() - at));
      text += at == 0 ? time : std::string(time.size(), ' ');
      text += ' ';
      std::string shown;
      for (const std::uint8_t byte : line) {
        text += ' ';
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
        shown += Printable(byte) ? static_cast<char>(byte) : '.';
      }
      text.append(3 * (kHexBytesPerLine - line.size()) + 2, ' ');
      text += shown + "\n";
    }
  }
  return text;
}

std::string TimedTextLines(std::span<const link::LogEntry> entries) {
  std::string text;
  for (const auto& entry : entries) {
    text += link::UtcText(entry.time, true) + " " + static_cast<char>(entry.direction) + " ";
    for (const std::uint8_t byte : entry.bytes) {
      if (byte == '\r') {
        text += "\\r";
      } else if (byte == '\n') {
        text += "\\n";
      } else if (byte == '\\') {
        text += "\\\\";
      } else if (Printable(byte)) {
        text += static_cast<char>(byte);
      } else {
        text += "\\x";
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
      }
    }
    text += "\n";
  }
  return text;
}

}  // namespace netloom::model
