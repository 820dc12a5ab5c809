#include "core/sim/sim_engine.h"

#include "core/sim/handlers.h"

namespace netloom::sim {

void SimEngine::ServeLine() {
  const auto line = link_.ReadLine(std::nullopt);
  if (!line) return;
  if (auto next = nextNetwork_ ? nextNetwork_() : std::nullopt) {
    network_ = std::move(*next);
    session_ = {};
  }
  if (replay_) {
    if (const auto reply = replay_->Reply(*line)) link_.Write(*reply);
    return;
  }
  link_.Write(*line + "\r\n");
  const SimCommand command = ParseCommand(*line);
  if (command.word.empty()) return;
  SimContext ctx{link_, network_, session_, faults_};
  if (const SimHandler* handler = registry_.Find(command.word)) {
    (*handler)(ctx, command);
  } else {
    link_.Write(kUnknownCommandReply);
  }
}

}  // namespace netloom::sim
