#include "gui/view/history_pane.h"

#include <QFontDatabase>

namespace netloom::view {

HistoryPane::HistoryPane(model::NetworkInsight& insight, QWidget* parent)
    : QPlainTextEdit(parent), insight_(insight) {
  setObjectName(QStringLiteral("historyPane"));
  setAccessibleName(QStringLiteral("History"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setPlaceholderText(
      QStringLiteral("Each walk's changes appear here: nodes that joined, left, moved or were "
                     "renamed."));
  // As many lines as the memory keeps events: the list stays flat however long it runs.
  setMaximumBlockCount(static_cast<int>(insight_.memory().MaxEvents()));
  for (const auto& event : insight_.memory().Events()) Append(event);
  insight_.AddObserver(*this);
}

HistoryPane::~HistoryPane() {
  insight_.RemoveObserver(*this);
}

void HistoryPane::WalkMerged(const std::vector<network::ChangeEvent>& events) {
  for (const auto& event : events) Append(event);
}

void HistoryPane::MemoryReplaced() {
  clear();
  for (const auto& event : insight_.memory().Events()) Append(event);
}

void HistoryPane::Append(const network::ChangeEvent& event) {
  // Names are the module's bytes: each shows as itself.
  appendPlainText(QString::fromLatin1(network::ChangeLine(event)));
}

}  // namespace netloom::view
