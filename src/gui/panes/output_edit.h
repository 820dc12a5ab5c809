// The output pane's edit: a terminal onto the module's serial line.
//
// Shows what the connection appends (module echo, status lines, banners); what the user types is
// not shown but handed to the sink in pieces (TypingBuffer). Navigation, selection and Copy act
// on the local text. UI thread only.
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
  // Appends module text at the end and scrolls there; while the pane holds more than 5000
  // characters the oldest 200 go, before the append.
  void AppendOutput(std::string_view text);
  // Empties the pane; pending typed characters stay.
  void ClearOutput();
  // Text as shown (line ends as "\n").
  QString ShownText() const { return toPlainText(); }
  int PendingCount() const { return typing_.count(); }

  // Feeds one typed character, as a key press does.
  void TypeCharacter(char c);

  static constexpr int kTrimAbove = 5000;
  static constexpr int kTrimCount = 200;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Flush();
  void FinishCrWait();

  model::TypingBuffer typing_;
  QTimer pauseTimer_;
  QTimer crWaitTimer_;
  // Characters typed while an Enter waits to go: they follow it, as they would after a sleep.
  std::string typedDuringWait_;
  Sink sink_;
  bool lastWasCr_ = false;
};

}  // namespace netloom::panes
