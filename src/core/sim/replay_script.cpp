#include "core/sim/replay_script.h"

#include "core/sim/sim_link.h"

namespace netloom::sim {

ReplayScript ReplayScript::FromLog(std::span<const link::LogEntry> entries) {
  ReplayScript script;
  std::string line;
  std::string* reply = nullptr;  // of the line sent last
  for (const auto& entry : entries) {
    if (entry.direction == link::Direction::Received) {
      if (reply) reply->append(entry.bytes.begin(), entry.bytes.end());
      continue;
    }
    for (const std::uint8_t byte : entry.bytes) {
      if (byte == '\n') continue;
      if (byte != '\r') {
        line += static_cast<char>(byte);
        if (line.size() > SimLink::kMaxLine) line.erase(0, line.size() - SimLink::kMaxLine);
        continue;
      }
      auto& texts = script.replies_[line].texts;
      texts.emplace_back();
      reply = &texts.back();
      line.clear();
    }
  }
  return script;
}

std::optional<std::string> ReplayScript::Reply(const std::string& line) {
  const auto found = replies_.find(line);
  if (found == replies_.end()) return std::nullopt;
  Replies& replies = found->second;
  const std::size_t index = std::min(replies.next, replies.texts.size() - 1);
  if (replies.next < replies.texts.size()) ++replies.next;
  return replies.texts[index];
}

}  // namespace netloom::sim
