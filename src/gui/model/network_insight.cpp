#include "gui/model/network_insight.h"

#include <algorithm>
#include <utility>

namespace netloom::model {

QuietLimitSetting& ProcessQuietLimit() {
  static QuietLimitSetting setting;
  return setting;
}

NetworkInsight::NetworkInsight(ConnectionController& controller, std::size_t maxEvents)
    : controller_(controller),
      maxEvents_(maxEvents),
      memory_(std::make_unique<network::NetworkMemory>(*clock_, maxEvents)),
      log_(std::make_shared<link::SessionLog>()) {
  memory_->SetQuietLimit(ProcessQuietLimit().limit);
  controller_.AddObserver(*this);
  controller_.SetPortTap(log_);
}

NetworkInsight::~NetworkInsight() {
  controller_.SetPortTap(nullptr);
  controller_.RemoveObserver(*this);
}

void NetworkInsight::AddObserver(InsightObserver& observer) {
  observers_.push_back(&observer);
}

void NetworkInsight::RemoveObserver(InsightObserver& observer) {
  std::erase(observers_, &observer);
}

void NetworkInsight::SetWallClock(const link::WallClock& clock) {
  auto memory = std::make_unique<network::NetworkMemory>(clock, maxEvents_);
  memory->Restore(memory_->State());
  memory_ = std::move(memory);
  clock_ = &clock;
}

void NetworkInsight::SetQuietLimit(std::chrono::seconds limit) {
  memory_->SetQuietLimit(limit);
  QuietLimitSetting& setting = ProcessQuietLimit();
  setting.limit = limit;
  if (setting.onChange) setting.onChange(limit);
}

void NetworkInsight::NetworkChanged() {
  const link::NetworkSnapshot& walk = controller_.snapshot();
  // Only a walk with a root is a whole walk; the one merged last is not merged again.
  if (!walk.rootNode || walk.rootNode == memory_->LatestWalk().rootNode) return;
  const auto events = memory_->MergeWalk(walk);
  Tell([&](InsightObserver& o) { o.WalkMerged(events); });
}

template <typename Call>
void NetworkInsight::Tell(Call&& call) {
  const auto observers = observers_;  // an observer may go meanwhile
  for (InsightObserver* observer : observers)
    if (std::ranges::find(observers_, observer) != observers_.end()) call(*observer);
}

network::NetworkDocument NetworkInsight::Saved() const {
  // The demo network's link is made anew each run: it is saved without a port.
  const PortChoice& port = controller_.port();
  return {port.demo ? std::string() : port.path, controller_.uartSettings(), memory_->State()};
}

std::string NetworkInsight::Save(const std::string& path) {
  std::string error = network::SaveNetworkFile(path, Saved());
  if (error.empty()) filePath_ = path;
  return error;
}

void NetworkInsight::Open(network::NetworkDocument document, const std::string& path) {
  memory_->Restore(std::move(document.memory));
  filePath_ = path;
  // The observers hear the new state (the title shows the file) either way.
  controller_.ApplySettings(
      document.portPath.empty() ? controller_.uartSettings() : document.settings,
      document.portPath.empty() ? controller_.port() : PortChoiceFor(document.portPath), false);
  Tell([](InsightObserver& o) { o.MemoryReplaced(); });
  // The walk shown is the one merged: it is not merged again.
  controller_.ShowSnapshot(memory_->LatestWalk());
}

}  // namespace netloom::model
