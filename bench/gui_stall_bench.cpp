// How long the desktop program's UI thread stalls while it works: a 2 ms timer on the UI thread
// records the longest gap between its ticks while a network document either runs the refresh
// cycle on the demo network, or receives text streamed at 115200 baud into its output pane.
//
// Usage (on a real display, e.g. Xvfb): gui_stall_bench refresh|stream [seconds]
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "gui/res/resources.h"
#include "gui/shell/main_frame.h"
#include "gui/view/netloom_view.h"

namespace {

// Writes text lines to a pseudo-terminal master at the pace of 115200 baud (11520 bytes/s).
class Streamer {
 public:
  bool Open() {
    char name[256];
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return false;
    path_ = name;
    // Never block: the drain finds nothing most of the time, and nobody reads after the close.
    return ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) == 0;
  }
  void Start() {
    thread_ = std::thread([this] {
      const std::string line =
          "0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz\r\n";
      char drain[256];
      auto next = std::chrono::steady_clock::now();
      while (!stop_) {
        (void)!::write(master_, line.data(), line.size());
        while (::read(master_, drain, sizeof drain) > 0) {
        }
        next += std::chrono::microseconds(line.size() * 1000000 / 11520);
        std::this_thread::sleep_until(next);
      }
    });
  }
  ~Streamer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(master_);
    ::close(slave_);
  }
  const std::string& path() const { return path_; }

 private:
  int master_ = -1, slave_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "refresh";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 120;
  QTemporaryDir settingsDir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
  QSettings settings(QStringLiteral("bench"), QStringLiteral("bench"));
  netloom::res::InitResources();
  netloom::shell::CMainFrame frame(settings);
  frame.show();

  Streamer streamer;
  netloom::shell::DocumentStart start{netloom::shell::DocumentStart::Kind::Demo, {}};
  if (mode == "stream") {
    if (!streamer.Open()) return 1;
    start = {netloom::shell::DocumentStart::Kind::Port, streamer.path()};
  }
  auto* child = frame.OpenNetworkDocument(start);
  if (!child->view()->controller().portOpen()) return 1;
  if (mode == "stream") {
    child->view()->controller().StopRefresh();  // only the echo of the stream
    streamer.Start();
  }

  std::vector<qint64> gaps;
  QElapsedTimer clock;
  clock.start();
  qint64 last = clock.nsecsElapsed();
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  probe.setInterval(2);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    gaps.push_back(now - last);
    last = now;
  });
  probe.start();
  long long shown = 0;
  QTimer::singleShot(seconds * 1000, &app, [&] {
    probe.stop();
    shown = child->output()->edit()->ShownText().size();
    QApplication::quit();  // closes the windows: the document disconnects
  });
  QApplication::exec();

  std::sort(gaps.begin(), gaps.end());
  const auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
  std::printf(
      "%s %ds: ticks %zu, longest gap %.1f ms, p99 %.1f ms, median %.1f ms, pane %lld chars\n",
      mode.c_str(), seconds, gaps.size(), ms(gaps.back()), ms(gaps[gaps.size() * 99 / 100]),
      ms(gaps[gaps.size() / 2]), shown);
  return 0;
}
