#include "gui/view/session_log_frame.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "gui/model/log_lines.h"
#include "gui/panes/output_view.h"

namespace netloom::view {

SessionLogFrame::SessionLogFrame(std::vector<link::LogEntry> entries, const QString& path,
                                 QWidget* parent)
    : QWidget(parent),
      entries_(std::move(entries)),
      path_(path),
      hex_(new QCheckBox(QStringLiteral("&Hex"), this)),
      pane_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("sessionLogFrame"));
  hex_->setAccessibleName(QStringLiteral("Show in hex"));
  hex_->setToolTip(QStringLiteral("The bytes in hex with their text beside"));
  pane_->setObjectName(QStringLiteral("sessionLogPane"));
  pane_->setAccessibleName(QStringLiteral("Session log"));
  pane_->setReadOnly(true);
  pane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane_->setUndoRedoEnabled(false);
  pane_->setFont(panes::COutputView::PaneFont());

  auto* about =
      new QLabel(QStringLiteral("%1 — %2 entries, read-only (> sent to the module, < received)")
                     .arg(QDir::toNativeSeparators(path), QString::number(entries_.size())),
                 this);
  about->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(6, 4, 6, 0);
  bar->addWidget(about, 1);
  bar->addWidget(hex_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(pane_, 1);

  connect(hex_, &QCheckBox::toggled, this, &SessionLogFrame::SetHexShown);
  SetHexShown(false);
}

QString SessionLogFrame::title() const {
  return QFileInfo(path_).fileName();
}

void SessionLogFrame::SetHexShown(bool shown) {
  if (hex_->isChecked() != shown) return hex_->setChecked(shown);  // comes back here
  pane_->setPlainText(
      QString::fromLatin1(shown ? model::HexLines(entries_) : model::TimedTextLines(entries_)));
}

bool SessionLogFrame::hexShown() const {
  return hex_->isChecked();
}

}  // namespace netloom::view
