#include "gui/panes/log_append.h"

#include <algorithm>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace netloom::panes {

QString LogText(std::string_view bytes, bool& lastWasCr) {
  QString shown;
  shown.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    if (c == '\n' && lastWasCr) {
      lastWasCr = false;
      continue;
    }
    lastWasCr = c == '\r';
    if (c == '\0') continue;
    shown.append(c == '\r' ? QChar('\n') : QChar::fromLatin1(c));
  }
  return shown;
}

void AppendLog(QPlainTextEdit& log, const QString& text, int trimAbove, int trimCount) {
  // The reader's place: the selection (the document keeps it as the text changes, as long as
  // the edit's own cursor is left alone) and, while the reader is up from the end, the first
  // line shown.
  QScrollBar* bar = log.verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  const int firstShown = bar->value();
  const int linesBefore = log.document()->blockCount();
  QTextCursor cursor(log.document());
  while (log.document()->characterCount() - 1 > trimAbove) {
    cursor.setPosition(0);
    cursor.setPosition(trimCount, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  const int linesTrimmed = linesBefore - log.document()->blockCount();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  if (!following) {
    bar->setValue(std::max(0, firstShown - linesTrimmed));
  } else if (log.textCursor().hasSelection()) {
    bar->setValue(bar->maximum());
  } else {
    log.setTextCursor(cursor);
    log.ensureCursorVisible();
  }
}

}  // namespace netloom::panes
