// Firmware upload through the upgrade dialog against `netloom-cli flash`: a 64 KiB image in
// 16-byte records, "Upgrade Mode" then "Upgrade", on one virtual module with line-rate emulation,
// in real time. Reports both run times and, for the dialog, the longest gap between the ticks of
// a 2 ms timer on the UI thread while the upload runs (the longest UI stall).
//
// Usage (on a display, Xvfb or offscreen): upgrade_dialog_bench PATH-TO-netloom-cli [bytes]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../hex_image.h"
#include "gui/tools/upgrade_dialog.h"
#include "line_rate_module.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One run of the CLI on the module: its whole time, from start to exit.
double RunCli(const std::string& cli, const std::string& link, const std::string& hex) {
  const auto took = netloom::bench::TimeCommand(cli + " flash --port " + link + " " + hex);
  return took ? Seconds(*took) : -1;
}

struct DialogRun {
  double seconds = -1;
  double longestGapMs = 0;
  std::string message;
};

// The same steps through the dialog: "Upgrade Mode", then "Upgrade" when it is idle again, up to
// the message that ends the upload.
DialogRun RunDialog(const std::string& link, const std::string& hex) {
  netloom::link::UartSettings settings;  // 9600 baud, as a connection leaves it
  auto* dialog =
      new netloom::tools::CUpgradeDialog(settings, {"module", link, "virtual module", false});
  dialog->show();
  DialogRun run;
  QElapsedTimer ticks;
  qint64 last = 0;
  bool measuring = false;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  probe.setInterval(2);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = ticks.nsecsElapsed();
    if (measuring) run.longestGapMs = std::max(run.longestGapMs, (now - last) / 1e6);
    last = now;
  });
  ticks.start();
  probe.start();

  const auto start = Clock::now();
  QEventLoop loop;
  QTimer watch;
  watch.setInterval(10);
  bool upgradeClicked = false;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      run.seconds = Seconds(Clock::now() - start);
      run.message = box->text().toStdString();
      measuring = false;
      box->accept();
      loop.quit();
      return;
    }
    if (!upgradeClicked && dialog->upgradeButton()->isEnabled()) {
      upgradeClicked = true;
      dialog->pathEdit()->setText(QString::fromStdString(hex));
      measuring = true;
      dialog->upgradeButton()->click();
    }
  });
  dialog->upgradeModeButton()->click();
  watch.start();
  loop.exec();
  delete dialog;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: upgrade_dialog_bench PATH-TO-netloom-cli [bytes]\n");
    return 2;
  }
  const std::string cli = argv[1];
  const std::size_t bytes = argc > 2 ? std::stoul(argv[2]) : 65536;
  netloom::bench::LineRateModule module;
  if (!module.Start()) return 1;
  const auto hex = MakeHexFile(module.folder(), bytes);
  if (hex.empty()) {
    std::fprintf(stderr, "srec_cat failed\n");
    return 1;
  }
  // Alternating, so that a change of the machine's load falls on both alike.
  std::vector<double> cliRuns, dialogRuns;
  double longestGap = 0;
  for (int round = 0; round < 2; ++round) {
    cliRuns.push_back(RunCli(cli, module.link(), hex));
    const auto run = RunDialog(module.link(), hex);
    if (run.message != "Upgrade finish~!!") {
      std::fprintf(stderr, "dialog upload ended with: %s\n", run.message.c_str());
      return 1;
    }
    dialogRuns.push_back(run.seconds);
    longestGap = std::max(longestGap, run.longestGapMs);
    std::printf("round %d: cli %.3f s, dialog %.3f s, longest UI gap %.1f ms\n", round + 1,
                cliRuns.back(), dialogRuns.back(), run.longestGapMs);
  }
  const double cli_ = *std::min_element(cliRuns.begin(), cliRuns.end());
  const double dlg = *std::min_element(dialogRuns.begin(), dialogRuns.end());
  std::printf("%zu bytes: best cli %.3f s, best dialog %.3f s (%+.2f %%); longest UI gap %.1f ms\n",
              bytes, cli_, dlg, 100 * (dlg - cli_) / cli_, longestGap);
  return 0;
}
