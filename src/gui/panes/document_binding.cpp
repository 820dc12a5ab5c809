#include "gui/panes/document_binding.h"

#include "gui/panes/qt_text.h"

namespace netloom::panes {

void DocumentBinding::Bind(model::NetworkDocument* document) {
  if (document_ == document) return;
  if (document_) document_->RemoveObserver(*this);
  document_ = document;
  if (document_) document_->AddObserver(*this);
}

void DocumentBinding::ConsoleTargetChanged(const model::PaneTarget& target) {
  emit consoleTargetChanged(target.remote, ToQString(target.address), target.refused);
}

void DocumentBinding::ParametersTargetChanged(const model::PaneTarget& target) {
  emit parametersTargetChanged(target.remote, ToQString(target.address));
}

void DocumentBinding::NodePicked(std::string_view address) {
  emit nodePicked(ToQString(address));
}

void DocumentBinding::ConfigurationReported(const model::ConfigReport& report) {
  emit configurationReported(ToQString(report.text), report.differing);
}

void DocumentBinding::DocumentGone() {
  document_ = nullptr;
  emit documentGone();
}

}  // namespace netloom::panes
