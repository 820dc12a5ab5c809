#include "gui/panes/output_edit.h"

#include "gui/panes/log_append.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace netloom::panes {

COutputEdit::COutputEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(false);
  pauseTimer_.setSingleShot(true);
  pauseTimer_.setInterval(model::TypingBuffer::kPauseMs);
  crWaitTimer_.setSingleShot(true);
  crWaitTimer_.setInterval(model::TypingBuffer::kPauseMs);
  connect(&pauseTimer_, &QTimer::timeout, this, &COutputEdit::Flush);
  connect(&crWaitTimer_, &QTimer::timeout, this, &COutputEdit::FinishCrWait);
}

void COutputEdit::AppendOutput(std::string_view text) {
  const QString shown = LogText(text, lastWasCr_);
  if (!shown.isEmpty()) AppendLog(*this, shown, kTrimAbove, kTrimCount);
}

void COutputEdit::ClearOutput() {
  setPlainText(QString());
  lastWasCr_ = false;
}

void COutputEdit::TypeCharacter(char c) {
  if (crWaitTimer_.isActive()) {
    typedDuringWait_.push_back(c);
    return;
  }
  pauseTimer_.stop();
  switch (typing_.Type(c)) {
    case model::TypingBuffer::Next::ArmPause:
      pauseTimer_.start();
      break;
    case model::TypingBuffer::Next::SendNow:
      Flush();
      break;
    case model::TypingBuffer::Next::SendAfterWait:
      // The wait keeps its length and its place in the byte stream, without stopping the window.
      crWaitTimer_.start();
      break;
  }
}

void COutputEdit::Flush() {
  pauseTimer_.stop();
  const std::string text = typing_.Take();
  if (sink_ && !text.empty()) sink_(text);
}

void COutputEdit::FinishCrWait() {
  Flush();
  std::string later;
  later.swap(typedDuringWait_);
  for (char c : later) TypeCharacter(c);
}

void COutputEdit::TypeText(const QString& text) {
  QString typed = text;
  typed.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QChar('\n'), QChar('\r'));
  if (!Sendable(typed)) return;
  for (QChar ch : typed) TypeCharacter(static_cast<char>(ch.unicode()));
}

bool COutputEdit::Sendable(const QString& text) {
  for (QChar ch : text) {
    // The line carries single bytes and the module takes 7-bit ASCII: anything above would go
    // as a NUL or a wrong byte.
    if (ch.unicode() > 0x7F) {
      emit inputRefused(
          QStringLiteral("Not sent: \"%1\" is not a character the module takes (7-bit ASCII)")
              .arg(ch));
      return false;
    }
  }
  return true;
}

bool COutputEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText();
}

void COutputEdit::insertFromMimeData(const QMimeData* source) {
  if (source->hasText()) TypeText(source->text());
}

void COutputEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Composed text goes to the module like typed text; nothing is written into the pane.
  if (!event->commitString().isEmpty()) TypeText(event->commitString());
  event->accept();
}

bool COutputEdit::event(QEvent* event) {
  // Leave the frame's shortcuts (Copy, New, Print ...) to the frame, as accelerators come first.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
      event->ignore();
      return false;
    }
  }
  return QPlainTextEdit::event(event);
}

void COutputEdit::keyPressEvent(QKeyEvent* event) {
  // The paste and cut keys are commands, not characters (Ctrl+V would be 0x16, Ctrl+X 0x18).
  // The pane's text is the module's: a cut copies it.
  if (event->matches(QKeySequence::Paste)) return paste();
  if (event->matches(QKeySequence::Cut)) return copy();
  const QString text = event->text();
  if (text.isEmpty() || event->key() == Qt::Key_Delete) {
    // Caret movement, selection and Delete act on the local text only.
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  if (Sendable(text))
    for (QChar ch : text) TypeCharacter(static_cast<char>(ch.unicode()));
}

}  // namespace netloom::panes
