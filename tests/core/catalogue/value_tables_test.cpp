// The value tables: defaults, NetworkKey's run-time flag, refused long texts, and one writer
// thread against one reader (run under ThreadSanitizer by the suite).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/catalogue/value_tables.h"

namespace netloom::catalogue {
namespace {

TEST(ConfigValueTable, StartsEmptyAndLoadsEveryDefault) {
  ConfigValueTable table;
  for (const std::string& text : table.Snapshot()) EXPECT_EQ(text, "");
  table.LoadDefaults();
  struct Case {
    int item;
    const char* text;
  };
  const Case cases[] = {{0, "0002"},
                        {1, "1.092 09/29/2009"},
                        {5, "04"},
                        {12, "0B"},
                        {23, "3C4D5E6F708192A3B4C5D6E7F8091A2B"},
                        {32, "0000003C"},
                        {45, "7F"},
                        {49, "0909000011"},
                        {50, ""}};
  for (const Case& c : cases) EXPECT_EQ(table.Get(c.item), c.text) << c.item;
  const std::vector<std::string> all = table.Snapshot();
  ASSERT_EQ(all.size(), 51u);
  for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(all[i], ConfigCatalogue()[i].defaultValue);
}

TEST(ConfigValueTable, SecurityValueDecidesWhetherTheKeyIsEditable) {
  struct Case {
    const char* security;
    bool editable;
  };
  const Case cases[] = {{"00", false}, {"01", true},  {"81", true}, {"0", true},
                        {"", true},    {"000", true}, {"00", false}};
  ConfigValueTable table;
  EXPECT_FALSE(table.ItemEnabled(kNetworkKeyItem));
  for (const Case& c : cases) {
    table.SetKeyEditable(c.security);
    EXPECT_EQ(table.ItemEnabled(kNetworkKeyItem), c.editable) << c.security;
  }
  // The other items keep their catalogue flags whatever the key does.
  table.SetKeyEditable("01");
  EXPECT_TRUE(table.ItemEnabled(14));
  EXPECT_FALSE(table.ItemEnabled(15));
  EXPECT_FALSE(table.ItemEnabled(-1));
  EXPECT_FALSE(table.ItemEnabled(51));
  EXPECT_FALSE(ConfigCatalogue()[kNetworkKeyItem].enabled);
}

TEST(ValueTables, TextsOver255CharactersAreRefusedNotCut) {
  KindValueTable table;
  ASSERT_TRUE(table.Set(6, "kept").accepted());
  EXPECT_EQ(table.Set(6, std::string(255, 'x')).status, EntryResult::Status::Stored);
  const EntryResult refused = table.Set(6, std::string(256, 'y'));
  EXPECT_EQ(refused.status, EntryResult::Status::Refused);
  EXPECT_EQ(refused.message, kValueTooLongMessage);
  EXPECT_EQ(table.Get(6), std::string(255, 'x'));
  EXPECT_FALSE(table.Set(35, "x").accepted());
  EXPECT_FALSE(table.Set(-1, "x").accepted());
  EXPECT_EQ(table.Get(35), "");
  table.Clear(6);
  EXPECT_EQ(table.Get(6), "");
}

TEST(ValueTables, AssignReplacesAllOrNothing) {
  ConfigValueTable table;
  table.LoadDefaults();
  std::vector<std::string> values(51, "AB");
  EXPECT_FALSE(table.Assign(std::vector<std::string>(50, "AB")).accepted());
  values[7] = std::string(256, 'z');
  EXPECT_FALSE(table.Assign(values).accepted());
  EXPECT_EQ(table.Get(7), "00");
  values[7] = "CD";
  EXPECT_TRUE(table.Assign(values).accepted());
  EXPECT_EQ(table.Snapshot(), values);
}

TEST(ValueTables, TheConsolesTableIsOnePerProcess) {
  EXPECT_EQ(&GlobalKindValues(), &GlobalKindValues());
}

// A worker decoding into the table while the UI thread reads it: every snapshot is one whole
// state, never a mixture.
TEST(ConfigValueTable, SnapshotsNeverMixTwoWrites) {
  ConfigValueTable table;
  const std::vector<std::string> a(51, "AAAA");
  const std::vector<std::string> b(51, "BBBB");
  ASSERT_TRUE(table.Assign(a).accepted());
  std::thread worker([&] {
    for (int round = 0; round < 2000; ++round) {
      table.Assign(round % 2 ? a : b);
      table.SetKeyEditable(round % 2 ? "01" : "00");
      table.Set(3, "ModelName");
    }
  });
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> seen = table.Snapshot();
    seen[3] = seen[0];
    EXPECT_TRUE(seen == a || seen == b);
    (void)table.ItemEnabled(kNetworkKeyItem);
    (void)table.Get(3);
  }
  worker.join();
}

}  // namespace
}  // namespace netloom::catalogue
