#include "core/link/walk/device_directory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/link/walk/node_table.h"

namespace netloom::link {
namespace {

TEST(DeviceDirectoryTest, KeepsTheFirstEntryOfAKey) {
  DeviceDirectory directory;
  EXPECT_TRUE(directory.Add("0001", "Router-1"));
  EXPECT_FALSE(directory.Add("0001", "Renamed"));
  EXPECT_TRUE(directory.Add("1000", "EndDevice"));
  EXPECT_TRUE(directory.Add("0100", "Router-2"));

  const auto entry = directory.Find("0001");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->key, NodeKey("0001"));
  EXPECT_EQ(entry->address, "0001");
  EXPECT_EQ(entry->name, "Router-1");
  EXPECT_EQ(entry->macAddress, "");
  EXPECT_FALSE(directory.Find("0002"));

  std::vector<std::string> order;
  for (const auto& e : directory.Entries()) order.push_back(e.address);
  EXPECT_EQ(order, (std::vector<std::string>{"1000", "0100", "0001"}));
}

// A worker adds while the user-interface thread reads: no entry is lost or torn.
TEST(DeviceDirectoryTest, WritersAndReadersAtOnce) {
  DeviceDirectory directory;
  constexpr int kPerWriter = 500;
  auto writer = [&](int base) {
    for (int i = 0; i < kPerWriter; ++i) {
      char address[5];
      std::snprintf(address, sizeof address, "%04X", base + i);
      directory.Add(address, "Node");
    }
  };
  std::atomic<bool> done{false};
  std::thread reader([&] {
    std::size_t last = 0;
    while (!done) {
      const std::size_t now = directory.Entries().size();
      EXPECT_GE(now, last);  // it only grows
      last = now;
    }
  });
  std::thread first(writer, 0);
  std::thread second(writer, kPerWriter / 2);
  first.join();
  second.join();
  done = true;
  reader.join();
  EXPECT_EQ(directory.Size(), std::size_t{kPerWriter * 3 / 2});
  for (const auto& e : directory.Entries()) EXPECT_EQ(e.key, NodeKey(e.address));
}

}  // namespace
}  // namespace netloom::link
