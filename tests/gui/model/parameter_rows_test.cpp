// The Parameters rows without widgets: what a slot text shows as, and what an edited row
// stores and shows afterwards.
#include "gui/model/parameter_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/catalogue/config_items.h"

namespace netloom::model {
namespace {

using Kind = ItemShown::Kind;

TEST(ParameterRowsTest, SlotTextsShowByValueType) {
  struct Case {
    int item;
    std::string slot;
    Kind kind;
    std::string text;
    int number;
  };
  const std::vector<Case> cases = {
      {14, "1234", Kind::Text, "1234", 0},
      {catalogue::kMacAddrItem, "89ABCDEF01234567", Kind::Text, "0123456789ABCDEF", 0},
      {20, "02", Kind::Option, "EndDevice", 2},
      {catalogue::kChannelItem, "0B", Kind::Option, "0B", 0},
      {catalogue::kSecurityEnableItem, "81", Kind::Option, "Trust Center", 2},
      {catalogue::kSecurityEnableItem, "02", Kind::Option, "Trust Center", 2},
      {5, "3A", Kind::Unknown, "3A", 0},  // not an index: shown as it is
      {5, "09", Kind::Unknown, "09", 0},  // above the last option
      {43, "07", Kind::Number, "07", 7},
      {43, "x7", Kind::Unknown, "x7", 0},
      {32, "0000003C", Kind::Number, "0000003C", 60},
      // Numbers a spin cannot hold are shown as they are, not clamped.
      {43, "99", Kind::Unknown, "99", 0},
      {32, "FFFFFFFF", Kind::Unknown, "FFFFFFFF", 0},
      {32, "000001F5", Kind::Unknown, "000001F5", 0},
      // Each byte of a text is one character: a Latin-1 "Café" is not lost.
      {38, "Caf\xE9", Kind::Text, "Caf\xC3\xA9", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.item) + " <" + c.slot + ">");
    const ItemShown shown = ShowItem(c.item, c.slot);
    EXPECT_EQ(shown.kind, c.kind);
    EXPECT_EQ(shown.text, c.text);
    if (c.kind != Kind::Text) {
      EXPECT_EQ(shown.number, c.number);
    }
  }
}

TEST(ParameterRowsTest, DayRowsShowTheMaskTheSlotHolds) {
  using Days = std::array<bool, 7>;
  const std::vector<std::pair<std::string, Days>> cases = {
      {"7F", {true, true, true, true, true, true, true}},
      {"3F", {false, true, true, true, true, true, true}},
      {"41", {true, false, false, false, false, false, true}},
      {"zz", {true, true, true, true, true, true, true}},  // no mask: as built
  };
  for (const auto& [slot, days] : cases) {
    const ItemShown shown = ShowItem(catalogue::kAlarmWeekItem, slot);
    EXPECT_EQ(shown.kind, Kind::Days);
    EXPECT_EQ(shown.days, days) << slot;
  }
}

TEST(ParameterRowsTest, EditedRowsStoreAndShowTheSlot) {
  struct Case {
    int item;
    std::string typed;
    bool refused;
    std::string slot;                  // afterwards
    std::optional<std::string> shown;  // what the row shows afterwards
  };
  const std::vector<Case> cases = {
      {14, "1234", false, "1234", "1234"},
      {14, "12", false, "1200", "1200"},
      {14, "12G", true, "9876", "9876"},  // snaps back
      {catalogue::kMacAddrItem, "0123456789ABCDEF", false, "89ABCDEF01234567", "0123456789ABCDEF"},
      {catalogue::kSecurityEnableItem, "Trust Center", false, "81", std::nullopt},
      {44, "7", false, "07", std::nullopt},
      {32, "60", false, "0000003C", std::nullopt},
      {38, std::string(17, 'n'), true, "Device-0001", "Device-0001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.item) + " <" + c.typed + ">");
    catalogue::ConfigValueTable table;
    table.LoadDefaults();
    const ParameterEdit edit = EditParameterRow(table, c.item, c.typed);
    EXPECT_EQ(edit.refused, c.refused);
    EXPECT_EQ(edit.refused, !edit.message.empty());
    EXPECT_EQ(table.Get(c.item), c.slot);
    EXPECT_EQ(edit.shown, c.shown);
  }
}

TEST(ParameterRowsTest, DayRowsSetAndClearTheirBit) {
  catalogue::ConfigValueTable table;
  table.LoadDefaults();
  EXPECT_FALSE(EditParameterDay(table, 0, false).refused);
  EXPECT_EQ(table.Get(catalogue::kAlarmWeekItem), "3F");
  EXPECT_FALSE(EditParameterDay(table, 0, true).refused);
  EXPECT_EQ(table.Get(catalogue::kAlarmWeekItem), "7F");
  table.Set(catalogue::kAlarmWeekItem, "zz");
  EXPECT_TRUE(EditParameterDay(table, 6, false).refused);
  EXPECT_EQ(table.Get(catalogue::kAlarmWeekItem), "zz");
}

}  // namespace
}  // namespace netloom::model
