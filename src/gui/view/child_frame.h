// The frame of a network document: the network view above, the output view below, and the
// Setup and Diagram commands routed to the view with their enable and check rules.
//
// A command is posted to the view (it runs after the current event, as a posted message would).
// The main frame binds the shared panes to the active frame's document model; activation
// recolours the tabs and shows the port settings. Closing the frame disconnects first, so the
// port is closed before the view goes; during a wait the close is refused, the worker stopped,
// and closeReady says when to retry.
#pragma once

#include <QSplitter>
#include <QWidget>

#include "gui/model/command_rules.h"

namespace netloom::panes {
class COutputView;
}

namespace netloom::view {

class CNetloomDoc;
class CNetloomView;
class NetworkPages;

class CChildFrame : public QWidget {
  Q_OBJECT
 public:
  explicit CChildFrame(CNetloomDoc* document, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CNetloomView* view() const { return view_; }
  // The upper row: the view's diagram with the node table and the history beside it.
  NetworkPages* pages() const { return pages_; }
  panes::COutputView* output() const { return output_; }
  CNetloomDoc* document() const;
  QSplitter* splitter() const { return splitter_; }

  // Whether the frame answers `commandId`, and its enable and check state now.
  model::CommandUi UpdateCommand(int commandId) const;
  // Runs a Setup or Diagram command: posted to the view.
  void OnCommand(int commandId);
  // The frame became the active document (or stopped being it).
  void Activate(bool active);
  // True while the keyboard focus is in the output view (its active view).
  bool outputViewActive() const { return outputActive_; }

 signals:
  void recolourTabs();
  // A close refused during a wait may be done now: the connection has closed.
  void closeReady();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QSplitter* splitter_;
  CNetloomView* view_;
  NetworkPages* pages_;
  panes::COutputView* output_;
  bool outputActive_ = false;
};

}  // namespace netloom::view
