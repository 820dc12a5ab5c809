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

namespace netloom::view {
namespace {

constexpr int kNodes = 200;

std::string Address(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", n);
  return text;
}

// A coordinator with 6 children, 36 grandchildren and 157 great-grandchildren: 200 nodes, all
// within the tree layout's depth. Names cycle through the picture kinds.
link::NetworkSnapshot TreeOf200() {
  static const char* const kNames[] = {"CCU-",  "FCU-",     "LCU-",    "AC-",         "PC-",
                                       "Meter", "Lumanode", "Quaybox", "StreeLight-", "Node"};
  std::vector<std::shared_ptr<link::NodeRecord>> records;
  const auto add = [&](int parent) {
    auto record = std::make_shared<link::NodeRecord>();
    const int n = static_cast<int>(records.size());
    record->address = Address(n);
    record->name = n == 0 ? "Coordinator" : kNames[n % 10] + std::to_string(n);
    if (parent >= 0) {
      records[static_cast<std::size_t>(parent)]->children.push_back({record->address});
      ++records[static_cast<std::size_t>(parent)]->entryCount;
    }
    records.push_back(record);
  };
  add(-1);
  for (int i = 0; i < 6; ++i) add(0);
  for (int i = 0; i < 36; ++i) add(1 + i / 6);
  for (int i = 0; static_cast<int>(records.size()) < kNodes; ++i) add(7 + i % 36);
  link::NetworkSnapshot snapshot;
  for (const auto& record : records) snapshot.nodeTable[link::NodeKey(record->address)] = record;
  snapshot.rootNode = records.front();
  snapshot.nodeCount = kNodes;
  return snapshot;
}

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
