// Refreshing the diagram again and again must not pile up items or memory.
#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <cstdlib>
#include <new>

#include "core/sim/sim_network.h"
#include "gui/view/diagram_drawing.h"
#include "network_fixture.h"

namespace {

// Blocks handed out by operator new and not yet deleted, in this whole test program (it holds
// this test alone: the replacement applies to every allocation of the program).
std::atomic<long> liveBlocks{0};

}  // namespace

#if defined(__SANITIZE_THREAD__)
// Under ThreadSanitizer the allocator stays the sanitizer's: blocks that Qt hands between its own
// threads would be freed from this file's operator delete, where the sanitizer cannot see Qt's
// hand-over, and every such block would show as a race. The refreshes still run, checked for races
// instead of counted.
constexpr bool kCountingBlocks = false;
#else
constexpr bool kCountingBlocks = true;

namespace {

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
#endif

namespace netloom::view {
namespace {

link::NetworkSnapshot DemoSnapshot() {
  const sim::SimNetwork demo = sim::DemoNetwork();
  std::vector<testsupport::NodeSpec> nodes;
  for (const auto& node : demo.Nodes()) {
    nodes.push_back({node.address, node.name, node.children});
  }
  return testsupport::Snapshot(nodes);
}

TEST(DiagramMemory, FiveHundredRefreshesOfTheDemoNetworkStayFlat) {
  const auto snapshot = DemoSnapshot();
  NodePictures pictures;
  TopologyDiagram diagram;
  diagram.resize(800, 600);
  diagram.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&diagram));
  // A refresh in each layout, painted, with the event loop turning as it does between the
  // worker's reports.
  const auto refresh = [&] {
    for (const auto mode : {model::LayoutMode::Tree, model::LayoutMode::Circle}) {
      ClearDiagram(diagram);
      DrawNetwork(diagram, pictures, snapshot, mode, "2B02", "0000");
      diagram.viewport()->repaint();
      QCoreApplication::processEvents();
    }
  };
  for (int i = 0; i < 20; ++i) refresh();  // caches (glyphs, pixmaps) fill up first
  const qsizetype items = diagram.scene()->items().size();
  const long before = liveBlocks.load();
  for (int i = 0; i < 250; ++i) {  // 500 refreshes
    refresh();
    ASSERT_EQ(diagram.scene()->items().size(), items) << "cycle " << i;
  }
  // One leaked node or link per cycle would be 500 blocks at least.
  if (kCountingBlocks) {
    EXPECT_LT(liveBlocks.load() - before, 100);
  }
}

}  // namespace
}  // namespace netloom::view
