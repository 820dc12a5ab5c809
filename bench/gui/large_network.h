// A made-up network of 200 nodes for the desktop program's benchmarks (no module here has one):
// a coordinator with 6 children, 36 grandchildren and 157 great-grandchildren, all within the
// tree layout's depth; names cycle through the picture kinds.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/link/walk/node_table.h"

namespace netloom::view {

inline constexpr int kNodes = 200;

inline std::string Address(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", n);
  return text;
}

inline link::NetworkSnapshot TreeOf200() {
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

}  // namespace netloom::view
