#include "gui/model/network_document.h"

#include <algorithm>

namespace netloom::model {

NetworkDocument::NetworkDocument(UiThread& ui, RefreshPeriods& periods)
    : controller_(ui, configuration_.values(), periods), insight_(controller_) {
  // Before every pane among the controller's observers: the configuration has taken a transfer's
  // end before a pane hears of it. (Only the insight, which hears walks alone, comes earlier.)
  configuration_.Attach(controller_);
}

NetworkDocument::~NetworkDocument() {
  const auto observers = observers_;
  for (DocumentObserver* observer : observers) {
    RemoveObserver(*observer);
    observer->DocumentGone();
  }
  configuration_.Detach();
}

void NetworkDocument::AddObserver(DocumentObserver& observer) {
  observers_.push_back(&observer);
  controller_.AddObserver(observer);
  configuration_.AddObserver(observer);
}

void NetworkDocument::RemoveObserver(DocumentObserver& observer) {
  std::erase(observers_, &observer);
  controller_.RemoveObserver(observer);
  configuration_.RemoveObserver(observer);
}

void NetworkDocument::Reset(const PortChoice& port) {
  controller_.Reset(port);
  configuration_.Reset();
}

void NetworkDocument::RememberConsoleLine(const std::string& line) {
  std::erase(consoleHistory_, line);
  consoleHistory_.insert(consoleHistory_.begin(), line);
  if (consoleHistory_.size() > kHistoryLength) consoleHistory_.resize(kHistoryLength);
}

}  // namespace netloom::model
