// The output pane's edit: a terminal onto the module's serial line.
//
// Shows what the connection appends (module echo, status lines, banners); what the user types or
// pastes (keys, the context menu, the middle button, a drop) is not shown but handed to the sink
// in pieces (TypingBuffer). The paste and cut keys are not characters for the module. A
// character the module cannot take (beyond 7-bit ASCII) is refused with one line, never sent.
// Navigation, selection and Copy act on the local text; an append keeps the user's selection,
// and keeps the text in view while the user has scrolled up from the end. UI thread only.
#pragma once

#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>

#include "gui/model/typing_buffer.h"

namespace netloom::panes {

class COutputEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  // Where typed text goes (the network view's SendRawText); empty: typed text is dropped.
  using Sink = std::function<void(const std::string&)>;

  explicit COutputEdit(QWidget* parent = nullptr);

  void SetSink(Sink sink) { sink_ = std::move(sink); }
  // Appends module text at the end (AppendLog: the user's selection stays, and the pane follows
  // the end only while the user is there); while the pane holds more than 5000 characters the
  // oldest 200 go, before the append.
  void AppendOutput(std::string_view text);
  // Empties the pane; pending typed characters stay.
  void ClearOutput();
  // Text as shown (line ends as "\n").
  QString ShownText() const { return toPlainText(); }
  int PendingCount() const { return typing_.count(); }

  // Feeds one typed character, as a key press does.
  void TypeCharacter(char c);
  // Feeds text as typed characters (a paste); line ends become carriage returns. Text with a
  // character the module cannot take is refused whole (inputRefused).
  void TypeText(const QString& text);

  static constexpr int kTrimAbove = 5000;
  static constexpr int kTrimCount = 200;

 signals:
  // A line for the status bar: typed or pasted input was not sent.
  void inputRefused(const QString& line);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  // Paste, the middle button and drops all come here: the text goes to the module, unshown.
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void Flush();
  void FinishCrWait();
  // False (after saying so) when `text` holds a character the module cannot take.
  bool Sendable(const QString& text);

  model::TypingBuffer typing_;
  QTimer pauseTimer_;
  QTimer crWaitTimer_;
  // Characters typed while an Enter waits to go: they follow it, as they would after a sleep.
  std::string typedDuringWait_;
  Sink sink_;
  bool lastWasCr_ = false;
};

}  // namespace netloom::panes
