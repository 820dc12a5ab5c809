// How long the topology diagram takes to rebuild and paint a large network, and what a node
// costs in memory. Run: build/default/bench/diagram_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>

#include "gui/view/diagram_drawing.h"
#include "large_network.h"

namespace netloom::view {
namespace {

struct Fixture {
  Fixture() {
    diagram.resize(1280, 800);
    diagram.show();
    QCoreApplication::processEvents();
  }
  void Draw() {
    ClearDiagram(diagram);
    DrawNetwork(diagram, pictures, snapshot, model::LayoutMode::Tree, "0010", "0000");
  }
  link::NetworkSnapshot snapshot = TreeOf200();
  NodePictures pictures;
  TopologyDiagram diagram;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// Clear and draw: the items and the scroll to the coordinator.
void BM_DrawNetwork(benchmark::State& state) {
  auto& fixture = Shared();
  for (auto _ : state) fixture.Draw();
  state.counters["nodes"] = fixture.diagram.NodeCount();
}
BENCHMARK(BM_DrawNetwork)->Unit(benchmark::kMillisecond);

// Clear, draw and paint what a 1280 x 800 window shows: one whole refresh as the user sees it.
void BM_DrawAndPaintWindow(benchmark::State& state) {
  auto& fixture = Shared();
  QImage window(fixture.diagram.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    fixture.Draw();
    fixture.diagram.viewport()->render(&window);
  }
}
BENCHMARK(BM_DrawAndPaintWindow)->Unit(benchmark::kMillisecond);

// Clear, draw and paint the whole diagram at screen size (every node painted).
void BM_DrawAndPaintAll(benchmark::State& state) {
  auto& fixture = Shared();
  fixture.Draw();
  const QRectF content = fixture.diagram.ContentRect();
  QImage all((content.size() / model::kTwipsPerPixel).toSize(),
             QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    fixture.Draw();
    QPainter painter(&all);
    fixture.diagram.Render(painter, QRectF(all.rect()));
  }
  state.counters["pixels"] = all.width() * all.height();
}
BENCHMARK(BM_DrawAndPaintAll)->Unit(benchmark::kMillisecond);

// Heap bytes the drawn diagram holds, per node (with its link).
void BM_MemoryPerNode(benchmark::State& state) {
  auto& fixture = Shared();
  double perNode = 0;
  for (auto _ : state) {
    ClearDiagram(fixture.diagram);
    const auto empty = mallinfo2().uordblks;
    fixture.Draw();
    const auto drawn = mallinfo2().uordblks;
    perNode = static_cast<double>(drawn - empty) / fixture.diagram.NodeCount();
  }
  state.counters["bytes_per_node"] = perNode;
}
BENCHMARK(BM_MemoryPerNode)->Iterations(5);

}  // namespace
}  // namespace netloom::view
