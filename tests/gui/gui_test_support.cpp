#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace netloom::guitest {

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton press) {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this, press] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    seen_ << (box ? box->text() : dialog->windowTitle());
    if (box && box->button(press))
      box->button(press)->click();
    else if (box)
      box->accept();
    else
      dialog->reject();
  });
  timer_.start();
}

NetworkFrame::NetworkFrame(const std::string& linkPath)
    : doc(std::make_unique<view::CNetloomDoc>()),
      frame(std::make_unique<view::CChildFrame>(doc.get())) {
  view().SetPortLister([linkPath] {
    return std::vector<model::PortChoice>{{"vmod", linkPath, "virtual module", false}};
  });
  view().OnInitialUpdate(false);
  frame->resize(640, 480);
  frame->show();
  frame->Activate(true);
}

NetworkFrame::~NetworkFrame() {
  frame->close();  // as the main frame closes a document: disconnect first
  frame.reset();
}

bool NetworkFrame::WaitQueryStarted() {
  return QTest::qWaitFor([this] { return view().controller().refreshTimerActive(); }, kSlowMs);
}

std::string ReceivedOnce(sim::SimFaults& faults, std::string_view needle) {
  std::string received;
  (void)QTest::qWaitFor(  // the caller checks what came
      [&] {
        const std::vector<std::uint8_t> bytes = faults.Received();
        received.assign(bytes.begin(), bytes.end());
        return received.find(needle) != std::string::npos;
      },
      kSlowMs);
  return received;
}

}  // namespace netloom::guitest
