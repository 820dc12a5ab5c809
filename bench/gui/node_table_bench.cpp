// A network document of 200 nodes in the window: how long one walk takes to show (merged into
// the document's memory, the node table refreshed, the diagram redrawn), the node table's
// refresh alone, and opening a saved 200-node network (File > Open: read, checked, restored,
// drawn, tabled). Run: build/default/bench/node_table_bench
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSettings>

#include "gui/shell/main_frame.h"
#include "gui/view/netloom_view.h"
#include "gui/view/network_pages.h"
#include "gui/view/node_table_pane.h"
#include "large_network.h"
#include "support/temp_folder.h"

namespace netloom::view {
namespace {

struct Fixture {
  Fixture() {
    settings.clear();
    frame.resize(1280, 800);
    frame.show();
    document = frame.OpenNetworkDocument({shell::DocumentStart::Kind::Offline, {}});
    document->view()->SetTreeLayout();
    Walk();
  }
  ~Fixture() { settings.clear(); }
  // A walk of the 200 nodes as the worker hands one over, shown.
  void Walk() {
    document->view()->controller().listener().NetworkReady(TreeOf200());
    QCoreApplication::processEvents();
  }

  QSettings settings{QStringLiteral("netloom-bench"), QStringLiteral("node-table")};
  shell::CMainFrame frame{settings};
  CChildFrame* document = nullptr;
  testsupport::TempFolder folder;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_WalkShown(benchmark::State& state) {
  auto& fixture = Shared();
  for (auto _ : state) fixture.Walk();
  state.counters["rows"] = fixture.document->pages()->nodeTable()->model().rowCount();
}
BENCHMARK(BM_WalkShown)->Unit(benchmark::kMillisecond);

// The table in front, refreshed and painted.
void BM_NodeTableRefresh(benchmark::State& state) {
  auto& fixture = Shared();
  fixture.document->pages()->setCurrentIndex(NetworkPages::kNodesPage);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    fixture.document->pages()->nodeTable()->Refresh();
    fixture.document->pages()->nodeTable()->repaint();
  }
  fixture.document->pages()->setCurrentIndex(NetworkPages::kDiagramPage);
}
BENCHMARK(BM_NodeTableRefresh)->Unit(benchmark::kMillisecond);

void BM_OpenSavedNetwork(benchmark::State& state) {
  auto& fixture = Shared();
  const std::string path = fixture.folder.File("plant.netloom");
  if (!fixture.document->view()->insight().Save(path).empty()) {
    state.SkipWithError("cannot save");
    return;
  }
  for (auto _ : state) {
    fixture.frame.OpenFile(QString::fromStdString(path));
    QCoreApplication::processEvents();
    state.PauseTiming();
    fixture.frame.CloseFrame(fixture.frame.ActiveFrame());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenSavedNetwork)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace netloom::view
