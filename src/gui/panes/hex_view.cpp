#include "gui/panes/hex_view.h"

#include <QScrollBar>

#include "gui/model/log_lines.h"
#include "gui/panes/output_view.h"

namespace netloom::panes {

CHexView::CHexView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("hexView"));
  setAccessibleName(QStringLiteral("Output in hex"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CHexView::Follow);
}

void CHexView::SetLog(std::shared_ptr<const link::SessionLog> log) {
  log_ = std::move(log);
  shownNoted_ = ~std::uint64_t{0};
  if (isVisible()) Follow();
}

void CHexView::Follow() {
  const std::uint64_t noted = log_ ? log_->Noted() : 0;
  if (noted == shownNoted_) return;
  shownNoted_ = noted;
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  const int kept = bar->value();
  const auto entries = log_ ? log_->Tail(kShownEntries) : std::vector<link::LogEntry>{};
  setPlainText(QString::fromLatin1(model::HexLines(entries)));
  // Where the user reads stays; at the end the view follows the end.
  bar->setValue(atEnd ? bar->maximum() : kept);
}

void CHexView::showEvent(QShowEvent* event) {
  QPlainTextEdit::showEvent(event);
  Follow();
  poll_.start();
}

void CHexView::hideEvent(QHideEvent* event) {
  poll_.stop();
  QPlainTextEdit::hideEvent(event);
}

}  // namespace netloom::panes
