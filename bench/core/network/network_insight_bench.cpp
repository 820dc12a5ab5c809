// Network memory and saved networks, measured (a small main):
// - the heap a document's history holds after 10 ... 10,000 walks of the demo network, each walk
//   changing something (a node moved back and forth, renamed back and forth), so every walk adds
//   events; goal: flat once the history limit (1,000 events) is reached;
// - the time to open a saved network of 200 nodes with a full history (read, check, restore).
// The two demo walks are real walks of the virtual module over a pseudo-terminal; the 200-node
// network is made up, as no module here has one.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "core/link/walk/network_walk.h"
#include "core/network/network_document.h"
#include "core/sim/virtual_module.h"
#include "support/temp_folder.h"

namespace {

using namespace netloom;

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// One walk of `network` on a virtual module, as a refresh runs it.
link::NetworkSnapshot WalkOf(sim::SimNetwork network) {
  const testsupport::TempFolder folder;
  sim::VirtualModuleOptions options;
  options.network = std::move(network);
  options.linkPath = folder.File("module");
  sim::VirtualModule module(std::move(options));
  link::NetworkSnapshot snapshot;
  if (module.Start()) return snapshot;
  link::OpenResult opened = link::OpenPort(module.LinkPath());
  if (!opened.port) return snapshot;
  link::UartSettings settings;
  link::ConfigurePort(*opened.port, settings);
  link::ApplyReadTimeout(*opened.port, settings, 500);
  link::CompressedClock clock(100);
  link::DeviceDirectory directory;
  link::NetworkWalk walk(
      *opened.port, clock, snapshot.nodeTable, snapshot.nodeCount, directory,
      [](std::string_view) {}, [](std::string_view) {});
  snapshot.rootNode = walk.QueryNode("0000", link::kQueryDepth);
  return snapshot;
}

sim::SimNetwork ChangedDemo() {
  std::vector<sim::SimNode> nodes = sim::DemoNetwork().Nodes();
  for (auto& node : nodes) {
    std::erase(node.children, "BE0B");
    if (node.address == "4D04") node.children.push_back("BE0B");
    if (node.address == "1A01") node.name = "CCU-Lab";
  }
  std::string error;
  return *sim::SimNetwork::Make(std::move(nodes), error);
}

void HistoryMemory() {
  const link::NetworkSnapshot a = WalkOf(sim::DemoNetwork());
  const link::NetworkSnapshot b = WalkOf(ChangedDemo());
  std::printf("demo walks: %zu and %zu nodes\n", a.nodeTable.size(), b.nodeTable.size());
  for (const int walks : {10, 100, 1000, 10000}) {
    const std::size_t before = HeapInUse();
    {
      link::ManualWallClock clock;
      network::NetworkMemory memory(clock);
      for (int walk = 0; walk < walks; ++walk) {
        clock.Advance(std::chrono::seconds(5));
        memory.MergeWalk(walk % 2 == 0 ? a : b);
      }
      std::printf("after %5d walks: %4zu events kept, heap held %7zu bytes\n", walks,
                  memory.Events().size(), HeapInUse() - before);
    }
  }
}

// A made-up network of `count` nodes, six children per router, names of every kind.
link::NetworkSnapshot Synthetic(int count, int shift) {
  static const char* kNames[] = {"CCU-", "FCU-", "LCU-", "AC-", "PC-", "Meter-", "Lumanode-"};
  link::NetworkSnapshot snapshot;
  std::vector<std::shared_ptr<link::NodeRecord>> records;
  for (int i = 0; i < count; ++i) {
    auto record = std::make_shared<link::NodeRecord>();
    char address[16];
    std::snprintf(address, sizeof address, "%04X", i);
    record->address = address;
    record->name = i == 0 ? std::string("Coordinator") : kNames[i % 7] + std::to_string(i);
    records.push_back(record);
  }
  for (int i = 1; i < count; ++i) {
    const int parent = (i - 1 + (i % 10 == 0 ? shift : 0)) / 6;
    records[static_cast<std::size_t>(parent)]->children.push_back(
        {records[static_cast<std::size_t>(i)]->address});
  }
  for (auto& record : records) {
    record->entryCount = static_cast<std::int32_t>(record->children.size());
    snapshot.nodeTable[link::NodeKey(record->address)] = record;
  }
  snapshot.rootNode = records.front();
  snapshot.nodeCount = count;
  return snapshot;
}

void LoadTime() {
  link::ManualWallClock clock;
  network::NetworkMemory memory(clock);
  const auto a = Synthetic(200, 0);
  const auto b = Synthetic(200, 6);
  for (int walk = 0; walk < 100; ++walk) {
    clock.Advance(std::chrono::seconds(5));
    memory.MergeWalk(walk % 2 == 0 ? a : b);
  }
  const testsupport::TempFolder folder;
  const std::string path = folder.File("big.netloom");
  network::SaveNetworkFile(path, {"/dev/ttyUSB0", {}, memory.State()});
  constexpr int kRounds = 20;
  const auto start = std::chrono::steady_clock::now();
  std::size_t nodes = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto loaded = network::LoadNetworkFile(path);
    network::NetworkMemory opened(clock);
    opened.Restore(loaded.document->memory);
    nodes = opened.Nodes().size();
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("open a saved network of %zu nodes, %zu events (%ju bytes): %.2f ms\n", nodes,
              memory.Events().size(), static_cast<std::uintmax_t>(std::filesystem::file_size(path)),
              took.count() / kRounds);
}

}  // namespace

int main() {
  HistoryMemory();
  LoadTime();
  return 0;
}
