// How long the AT console takes to rebuild its parameter grid for a picked command (build and
// paint), for each of the 56 commands, and what the pane costs in memory.
// Run: build/default/bench/console_grid_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QCoreApplication>
#include <memory>

#include "core/catalogue/at_commands.h"
#include "gui/panes/console_grid.h"
#include "gui/panes/console_view_bar.h"

namespace netloom::panes {
namespace {

struct Fixture {
  Fixture() {
    pane.resize(320, 720);
    pane.show();
    QCoreApplication::processEvents();
  }
  catalogue::KindValueTable values;
  link::DeviceDirectory directory;
  CConsoleViewBar pane{nullptr, values, directory};
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// One pick's grid: remove the old rows, build the command's rows and paint the grid.
void BM_GridRebuild(benchmark::State& state) {
  auto& fixture = Shared();
  const int command = static_cast<int>(state.range(0));
  PropertyGrid& grid = *fixture.pane.grid();
  for (auto _ : state) {
    BuildConsoleGrid(grid, command, fixture.values);
    grid.view()->viewport()->repaint();
  }
  state.SetLabel(catalogue::TreeText(command));
  state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_GridRebuild)
    ->DenseRange(0, catalogue::kCommandCount - 1)
    ->Unit(benchmark::kMicrosecond);

// Picks through the pane itself, alternating two commands (the tree selection path).
void BM_PickAlternating(benchmark::State& state) {
  auto& fixture = Shared();
  bool flip = false;
  for (auto _ : state) {
    fixture.pane.Pick(flip ? QStringLiteral("ATSENDLINKKEY") : QStringLiteral("ATALARM"));
    fixture.pane.grid()->view()->viewport()->repaint();
    flip = !flip;
  }
}
BENCHMARK(BM_PickAlternating)->Unit(benchmark::kMicrosecond);

// Heap bytes of a shown pane with the largest grid (ATALARM: 11 rows), and the growth over
// 1000 picks (should stay near zero: a rebuild frees the rows of the last).
void BM_PaneMemory(benchmark::State& state) {
  double paneBytes = 0;
  double growth = 0;
  for (auto _ : state) {
    catalogue::KindValueTable values;
    link::DeviceDirectory directory;
    const auto before = mallinfo2().uordblks;
    auto pane = std::make_unique<CConsoleViewBar>(nullptr, values, directory);
    pane->resize(320, 720);
    pane->show();
    pane->ShowTab(catalogue::CommandTab::Advance);
    pane->Pick(QStringLiteral("ATALARM"));
    QCoreApplication::processEvents();
    const auto built = mallinfo2().uordblks;
    for (int i = 0; i < 1000; ++i)
      pane->Pick(i % 2 ? QStringLiteral("ATSENDLINKKEY") : QStringLiteral("ATALARM"));
    pane->Pick(QStringLiteral("ATALARM"));
    QCoreApplication::processEvents();
    const auto after = mallinfo2().uordblks;
    paneBytes = static_cast<double>(built - before);
    growth = static_cast<double>(after) - static_cast<double>(built);
  }
  state.counters["pane_bytes"] = paneBytes;
  state.counters["growth_after_1000_picks"] = growth;
}
BENCHMARK(BM_PaneMemory)->Iterations(3);

}  // namespace
}  // namespace netloom::panes
