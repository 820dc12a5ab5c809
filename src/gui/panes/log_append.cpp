#include "gui/panes/log_append.h"

#include <QPlainTextEdit>
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
  QTextCursor cursor(log.document());
  while (log.document()->characterCount() - 1 > trimAbove) {
    cursor.setPosition(0);
    cursor.setPosition(trimCount, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  log.setTextCursor(cursor);
  log.ensureCursorVisible();
}

}  // namespace netloom::panes
