// Helpers for widget tests: answering modal dialogs, and a network frame on a virtual module.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "gui/view/child_frame.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/netloom_view.h"
#include "support/virtual_module_fixture.h"

namespace netloom::guitest {

// While it lives, every modal dialog that opens is closed with its default answer (or, for a
// message box that offers it, `press`), and its text (message boxes) or title is recorded.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(QMessageBox::StandardButton press = QMessageBox::NoButton);
  const QStringList& seen() const { return seen_; }

 private:
  QTimer timer_;
  QStringList seen_;
};

// A network document frame whose port list holds one port, "vmod", on a virtual module.
struct NetworkFrame {
  explicit NetworkFrame(const std::string& linkPath);
  ~NetworkFrame();
  view::CNetloomView& view() { return *frame->view(); }
  // Waits for the refresh cycle's first query to be served (the timer is armed).
  bool WaitQueryStarted();

  std::unique_ptr<view::CNetloomDoc> doc;
  std::unique_ptr<view::CChildFrame> frame;
};

// Generous bound for anything that waits on the worker or the module (busy CI machines).
inline constexpr int kSlowMs = 20000;

// What the module has received (recording on), once it holds `needle` or kSlowMs have passed.
std::string ReceivedOnce(sim::SimFaults& faults, std::string_view needle);

}  // namespace netloom::guitest
