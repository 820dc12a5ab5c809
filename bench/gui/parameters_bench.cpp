// The Parameters pane: how long the grid takes to rebuild after a read (build and paint), and
// the configuration read and write through the window against `netloom-cli config` on one
// virtual module with line-rate emulation at 9600 baud, in real time.
//
// Usage (on a display, Xvfb or offscreen): parameters_bench PATH-TO-netloom-cli [rounds]
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/catalogue/value_tables.h"
#include "gui/panes/properties_view_bar.h"
#include "gui/view/child_frame.h"
#include "gui/view/netloom_doc.h"
#include "gui/view/netloom_view.h"
#include "line_rate_module.h"

namespace {

using Clock = std::chrono::steady_clock;
using netloom::panes::CPropertiesViewBar;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// One run of the CLI on the module, from start to exit.
double RunCli(const std::string& cli, const std::string& link, const char* what) {
  const auto took = netloom::bench::TimeCommand(cli + " config " + what + " --port " + link);
  return took ? Ms(*took) : -1;
}

// A network document on the module with the pane bound to it, as the main frame binds it.
struct Window : netloom::model::ConnectionObserver {
  explicit Window(const std::string& link) : frame(&doc) {
    netloom::view::CNetloomView& view = *frame.view();
    view.OnInitialUpdate(false);
    view.controller().SelectPort({"module", link, "virtual module", false});
    pane.Bind(&view.model());
    view.controller().AddObserver(*this);
    frame.resize(640, 480);
    frame.show();
    pane.resize(320, 700);
    pane.show();
    // Message boxes ("Writing finished!") are answered at once.
    answer.setInterval(1);
    QObject::connect(&answer, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    answer.start();
  }
  ~Window() override { frame.view()->controller().RemoveObserver(*this); }
  void ConfigTransferEnded(bool, bool succeeded) override {
    ok = succeeded;
    loop.quit();
  }
  // One transfer from the button until the port is closed again; the port is opened first,
  // as the CLI opens it.
  double Run(bool write) {
    const auto start = Clock::now();
    if (write)
      pane.Write();
    else
      pane.Read();
    loop.exec();
    // Closed as the CLI closes the port before it exits.
    frame.view()->controller().Disconnect();
    const bool closed =
        QTest::qWaitFor([this] { return !frame.view()->controller().portOpen(); }, 10000);
    return ok && closed ? Ms(Clock::now() - start) : -1;
  }

  netloom::view::CNetloomDoc doc;
  netloom::view::CChildFrame frame;
  CPropertiesViewBar pane;
  QEventLoop loop;
  QTimer answer;
  bool ok = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: parameters_bench PATH-TO-netloom-cli [rounds]\n");
    return 2;
  }
  const std::string cli = argv[1];
  const int rounds = argc > 2 ? std::stoi(argv[2]) : 3;
  netloom::bench::LineRateModule module;
  if (!module.Start()) return 1;
  Window window(module.link());

  // Alternating, so that a change of the machine's load falls on both alike.
  struct Pair {
    std::vector<double> cli, window;
  } reads, writes;
  for (int round = 0; round < rounds; ++round) {
    reads.cli.push_back(RunCli(cli, module.link(), "read"));
    reads.window.push_back(window.Run(false));
    writes.cli.push_back(RunCli(cli, module.link(), "write --defaults"));
    writes.window.push_back(window.Run(true));
    std::printf("round %d: read cli %.0f ms, window %.0f ms; write cli %.0f ms, window %.0f ms\n",
                round + 1, reads.cli.back(), reads.window.back(), writes.cli.back(),
                writes.window.back());
  }
  for (const auto& [name, pair] : {std::pair{"read", reads}, std::pair{"write", writes}}) {
    const double c = *std::min_element(pair.cli.begin(), pair.cli.end());
    const double w = *std::min_element(pair.window.begin(), pair.window.end());
    std::printf("%s: best cli %.0f ms, best window %.0f ms (%+.2f %%)\n", name, c, w,
                100 * (w - c) / c);
  }

  // The rebuild after a read: the module's values, every row built and painted.
  constexpr int kRebuilds = 200;
  std::vector<double> rebuilds;
  for (int i = 0; i < kRebuilds; ++i) {
    const auto start = Clock::now();
    window.pane.Rebuild();
    window.pane.grid()->view()->viewport()->repaint();
    rebuilds.push_back(Ms(Clock::now() - start));
  }
  std::sort(rebuilds.begin(), rebuilds.end());
  std::printf("grid rebuild and paint, %d runs: median %.2f ms, worst %.2f ms\n", kRebuilds,
              rebuilds[rebuilds.size() / 2], rebuilds.back());
  return 0;
}
