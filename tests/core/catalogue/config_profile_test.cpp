// Configuration profiles: the JSON document, the stored-value check a loaded profile goes
// through, and the comparison of two sets of values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/catalogue/config_items.h"
#include "core/catalogue/config_profile.h"
#include "core/catalogue/value_tables.h"
#include "support/temp_folder.h"

namespace netloom::catalogue {
namespace {

ConfigValues Defaults() {
  ConfigValueTable table;
  table.LoadDefaults();
  return table.Snapshot();
}

TEST(ConfigProfileTest, DocumentRoundTripsEveryItemThroughAFile) {
  ConfigValues values = Defaults();
  values[kMacAddrItem] = "89ABCDEF01234567";
  values[38] = "Ünïcode-1";       // a text item beyond ASCII
  values[3] = "Caf\xE9 d\xFCnn";  // bytes that are not UTF-8: a Latin-1 name
  const testsupport::TempFolder folder;
  const std::string path = folder.File("profile.json");
  std::string error;
  ASSERT_TRUE(WriteProfileFile(path, values, error)) << error;
  const auto items = ReadProfileFile(path, error);
  ASSERT_TRUE(items) << error;
  ASSERT_EQ(items->size(), static_cast<std::size_t>(kItemCount));
  for (int i = 0; i < kItemCount; ++i) {
    EXPECT_EQ((*items)[static_cast<std::size_t>(i)],
              (std::pair<int, std::string>{i, values[static_cast<std::size_t>(i)]}));
  }
  EXPECT_EQ(ProfileJson(values).substr(0, 53),
            R"({"items":[{"index":0,"name":"Version","value":"0002"})");
  EXPECT_NE(ProfileJson(values).find(R"("value":"Café dünn","latin1":true})"), std::string::npos);
}

TEST(ConfigProfileTest, AFileThatCannotBeReadIsNamed) {
  std::string error;
  EXPECT_FALSE(ReadProfileFile("/nonexistent/p.json", error));
  EXPECT_EQ(error, "cannot read '/nonexistent/p.json'");
}

TEST(ConfigProfileTest, StoredValuesAreCheckedByWhatTheRowsAndTheImageHold) {
  struct Case {
    int item;
    std::string text;
    std::string refusal;  // empty: accepted
  };
  const std::vector<Case> cases = {
      {14, "1234", ""},
      {14, "12", "PanID : needs 4 hex digits"},
      {14, "12G4", "PanID : needs 4 hex digits"},
      {16, "FFFF", "MyShortAddr :\nPlease enter between 0 to FFFE (hex)"},
      {kMacAddrItem, "89ABCDEF01234567", ""},
      {5, "08", ""},
      {5, "09", "Baudrate : \"09\" names no option"},
      {kSecurityEnableItem, "81", ""},
      {kChannelItem, "1A", ""},
      {kChannelItem, "1B", "Channel : \"1B\" names no option"},
      {43, "59", ""},
      {43, "60", "AlarmMin : outside 0 to 59"},
      {43, "5A", "AlarmMin : Please input 0 to 9"},
      {32, "000001F4", ""},
      {32, "000001F5", "SyncInterval : outside 0 to 500"},
      {kAlarmWeekItem, "3F", ""},
      {kAlarmWeekItem, "80", "AlarmWeek : a weekday mask is at most 7F"},
      {38, "Sixteen-chars-16", ""},
      {38, "Seventeen-chars17", "Device Name : at most 16 characters"},
      {kNetworkKeyItem, std::string(32, 'a'), ""},
      {kReserveDataItem, "", ""},
  };
  for (const Case& c : cases) {
    const EntryResult result = CheckStoredValue(c.item, c.text);
    SCOPED_TRACE(std::to_string(c.item) + " <" + c.text + ">");
    EXPECT_EQ(result.accepted(), c.refusal.empty());
    EXPECT_EQ(result.message, c.refusal);
  }
}

TEST(ConfigProfileTest, ApplyStoresWhatPassesAndNamesTheRest) {
  ConfigValueTable table;
  table.LoadDefaults();
  const ProfileLoad load =
      ApplyProfile(table, {{14, "4321"}, {5, "77"}, {kSecurityEnableItem, "01"}, {17, "1"}});
  EXPECT_EQ(load.refused, (ProfileItems{{5, "Baudrate : \"77\" names no option"},
                                        {17, "DstAddr : needs 4 hex digits"}}));
  EXPECT_TRUE(load.skipped.empty());
  EXPECT_EQ(table.Get(14), "4321");
  EXPECT_EQ(table.Get(5), "04");
  EXPECT_TRUE(table.ItemEnabled(kNetworkKeyItem));  // security came on with the profile
}

// A profile saved from one module and loaded into another never gives it the first one's
// identity, nor what no row lets the user change.
TEST(ConfigProfileTest, ApplySkipsReadOnlyAndPerModuleItemsAndNamesThoseItWouldHaveChanged) {
  ConfigValues saved = Defaults();
  saved[kImageVersionItem] = "0003";
  saved[kMacAddrItem] = "1111111122222222";
  saved[15] = "00000000000000EE";  // ExPanID
  saved[16] = "1A01";              // MyShortAddr
  saved[22] = "0000";              // ParentAddr
  saved[49] = "0909000099";        // SerialNum
  saved[9] = "02";                 // FlowCtrl: read-only
  saved[14] = "4321";              // PanID: a setting, loaded
  saved[kAlarmWeekItem] = "3F";    // the weekday mask is set through its day rows: loaded
  saved[kNetworkKeyItem] = std::string(32, 'A');
  ProfileItems items;
  for (int i = 0; i < kItemCount; ++i) items.emplace_back(i, saved[static_cast<std::size_t>(i)]);
  items.emplace_back(kMacAddrItem, "1111111122222222");  // twice: named once

  ConfigValueTable table;
  table.LoadDefaults();
  table.Set(kMacAddrItem, "89ABCDEF01234567");
  const ConfigValues before = table.Snapshot();
  const ProfileLoad load = ApplyProfile(table, items);
  EXPECT_TRUE(load.refused.empty());
  EXPECT_EQ(load.skipped, (std::vector<int>{0, 9, kMacAddrItem, 15, 16, 22, kNetworkKeyItem, 49}));
  for (int item : load.skipped) EXPECT_EQ(table.Get(item), before[static_cast<std::size_t>(item)]);
  EXPECT_EQ(table.Get(14), "4321");
  EXPECT_EQ(table.Get(kAlarmWeekItem), "3F");
  EXPECT_EQ(SkippedItemsText(load.skipped),
            "8 items were not loaded and keep this module's values (read-only or the module's "
            "own): 0 Version, 9 FlowCtrl, 10 MACAddr, 15 ExPanID, 16 MyShortAddr, 22 ParentAddr, "
            "23 NetworkKey, 49 SerialNum");
  EXPECT_EQ(SkippedItemsText({}), "");

  // The key comes with a profile that turns security on.
  items.emplace_back(kSecurityEnableItem, "01");
  EXPECT_EQ(ApplyProfile(table, items).skipped,
            (std::vector<int>{0, 9, kMacAddrItem, 15, 16, 22, 49}));
  EXPECT_EQ(table.Get(kNetworkKeyItem), std::string(32, 'A'));
}

TEST(ConfigProfileTest, DifferencesIgnoreTheCaseOfDigitsOnly) {
  ConfigValues wrote = Defaults();
  ConfigValues read = wrote;
  wrote[14] = "ab12";
  read[14] = "AB12";
  EXPECT_TRUE(DifferingItems(wrote, read).empty());
  EXPECT_EQ(DescribeDifferences(wrote, read), "");
  wrote[38] = "node";
  read[38] = "NODE";
  read[17] = "0001";
  EXPECT_EQ(DifferingItems(wrote, read), (std::vector<int>{17, 38}));
  EXPECT_EQ(DescribeDifferences(wrote, read),
            "2 items differ: 17 DstAddr (wrote \"0000\", read \"0001\"), 38 Device Name (wrote "
            "\"node\", read \"NODE\")");
}

}  // namespace
}  // namespace netloom::catalogue
