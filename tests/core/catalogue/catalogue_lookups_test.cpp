// Groups, the console tree, option codes and the look-ups by tree text, row label and name.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/catalogue/at_commands.h"
#include "core/catalogue/config_items.h"
#include "core/catalogue/parameter_kinds.h"

namespace netloom::catalogue {
namespace {

using Items = std::vector<std::string>;

void ExpectTree(CommandTab tab, const std::vector<TreeGroup>& expected) {
  const std::vector<TreeGroup> tree = CommandTree(tab);
  ASSERT_EQ(tree.size(), expected.size());
  for (std::size_t g = 0; g < tree.size(); ++g) {
    EXPECT_EQ(tree[g].title, expected[g].title);
    EXPECT_EQ(tree[g].items, expected[g].items) << expected[g].title;
  }
}

TEST(CommandTree, BasicTabShowsItsGroupsThenTheConsoleGroup) {
  const std::vector<TreeGroup> expected = {
      {"Hardware Information", {"ATINFO", "ATRTC", "ATVERSION"}},
      {"Networking", {"ATRESET"}},
      {"Data Transmission", {"ATTXDATAU", "ATTXDATAB", "ATTXEACK"}},
      {"Network Management", {"ATCHGCH", "ATNEIGHBOR"}},
      {"Virtual Mode", {"ATCONSOLE"}},
      {"Console Command", {"Send Message", "Exit(+++)", "Exit(---)"}},
  };
  ExpectTree(CommandTab::Basic, expected);
  EXPECT_EQ(BasicCommandGroups().size(), 5u);
}

TEST(CommandTree, AdvanceTabSkipsTheHiddenCommands) {
  const std::vector<TreeGroup> expected = {
      {"Hardware Information", {"ATINFO", "ATSREG", "ATDUMP", "ATRTC", "ATVERSION"}},
      {"Networking",
       {"ATSCAN", "ATEDSCAN", "ATLEAVE", "ATRESET", "ATPING", "ATSYNC", "ATPOLL", "ATRTDISCOVER",
        "ATADDGRP", "ATRMGRP", "ATRMDEV", "ATJOINP2P", "ATJOINGRP", "ATJOINSTAR"}},
      {"Power Management", {"ATWAKEUP", "ATSLEEP", "ATALARM", "ATPERIOD", "ATPOWER"}},
      {"Data Transmission", {"ATTXDATAU", "ATTXDATAB", "ATTXEACK", "ATZCLONOFF"}},
      {"Network Management",
       {"ATCHGCH", "ATSTRPERDATA", "ATNETRECOVER", "ATADDR", "ATIEEE", "ATDESCREQ", "ATEPREQ",
        "ATEDREQ", "ATNETINFO", "ATNEIGHBOR", "ATFINDDEVICE"}},
      {"Security",
       {"ATSENDNWKKEY", "ATSENDLINKKEY", "ATSWITCHKEY", "ATREQUESTKEY", "ATCLRNWKKEY",
        "ATCLRLINKKEY", "ATSETNWKKEY", "ATSETLINKKEY"}},
      {"Virtual Mode", {"ATCONSOLE", "ATDEST"}},
      {"Console Command", {"Send Message", "Exit(+++)", "Exit(---)"}},
  };
  ExpectTree(CommandTab::Advance, expected);
  // The stored lists still name the hidden commands.
  const CommandGroup& networking = AdvanceCommandGroups()[1];
  EXPECT_EQ(std::vector<int>(networking.commands.begin(), networking.commands.begin() + 5),
            (std::vector<int>{1, 2, 3, 4, 6}));
  EXPECT_EQ(AdvanceCommandGroups()[3].commands[3], 28);
  for (int hidden : {3, 4, 6, 28, 56}) EXPECT_FALSE(ShownInTree(hidden)) << hidden;
  EXPECT_TRUE(ShownInTree(5));
}

TEST(CommandLookups, TreeTextAndPicking) {
  struct Case {
    const char* text;
    int command;
  };
  const Case cases[] = {
      {"ATINFO", 0},
      {"atinfo", 0},
      {"AtSendLinkKey", 54},
      {"ATZCLONOFF", 55},
      {"AT_RE_EPREQ", 24},
      {"INFO", kNoCommand},
      {"ATINFO ", kNoCommand},
      {"Networking", kNoCommand},
      {"Console Command", kNoCommand},
      {"", kNoCommand},
      {"Send Message", 57},
      {"Exit(+++)", 58},
      {"Exit(---)", 59},
      {"send message", kNoCommand},
  };
  for (const Case& c : cases) EXPECT_EQ(PickCommand(c.text), c.command) << c.text;
  EXPECT_EQ(CommandByTreeText("Send Message"), kNoCommand);
  EXPECT_EQ(TreeText(46), "ATRTC");
  EXPECT_EQ(TreeText(56), "");
}

TEST(KindLookups, LabelsMatchExactlyAndSkipTheUnnamedKinds) {
  struct Case {
    const char* label;
    int kind;
  };
  const Case cases[] = {
      {"Network address", 3},
      {"Network Address", 2},
      {"network address", kNoKind},
      {"Devie Type", 10},
      {"Devie Name", 11},
      {"Ouput Lv.", 22},
      {"NULL", 0},
      {"SwitchMode", 34},
      {"", kNoKind},
      {"Data", 6},
      {"SUN", kNoKind},
      {"Week", 31},
  };
  for (const Case& c : cases) EXPECT_EQ(KindByLabel(c.label), c.kind) << c.label;
}

// Every option of every option-list kind, as the codes its choice stores.
TEST(KindOptionCodes, EveryOptionOfEveryList) {
  struct Case {
    int kind;
    Items codes;
  };
  const Case cases[] = {
      {4, Items(kChannelOptions.begin(), kChannelOptions.end())},
      {5, {"7FFF800"}},
      {8, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A"}},
      {17, {"0", "1", "2"}},
      {22, {"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"}},
      {24, {"", "0", "1", "2", "3", "4", "5", "6"}},
      {28,
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
        "18"}},
      {32, {"0", "1"}},
      {33, {"0", "1"}},
      {34, {"0", "1", "2"}},
  };
  int lists = 0;
  for (const ParameterKind& kind : ParameterKinds())
    lists += kind.valueType == ParamValueType::OptionList;
  EXPECT_EQ(lists, static_cast<int>(std::size(cases)));
  for (const Case& c : cases) {
    const ParameterKind& kind = ParameterKinds()[c.kind];
    ASSERT_EQ(kind.options.size(), c.codes.size()) << kind.name;
    for (std::size_t i = 0; i < c.codes.size(); ++i) {
      EXPECT_EQ(KindOptionCode(c.kind, static_cast<int>(i)), c.codes[i]) << kind.name << " " << i;
    }
    EXPECT_EQ(KindOptionCode(c.kind, static_cast<int>(c.codes.size())), std::nullopt);
    EXPECT_EQ(KindOptionCode(c.kind, -1), std::nullopt);
  }
  EXPECT_EQ(ParameterKinds()[8].options[9], "NWK Key");
  EXPECT_EQ(ParameterKinds()[28].options[17], "Print Info");
  EXPECT_EQ(ParameterKinds()[22].options[16], "16.3 dB");
  EXPECT_EQ(ParameterKinds()[24].options[6], "Once per 1 day");
  EXPECT_EQ(ParameterKinds()[5].options[0], "07FFF800");
  EXPECT_EQ(KindOptionCode(2, 0), std::nullopt);
}

TEST(KindInitialTexts, AsTheGridBuildSetsThem) {
  struct Case {
    int kind;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {2, ""},   {4, "0B"},  {5, "7FFF800"}, {6, ""},
      {8, "1"},  {15, "0"},  {16, "0"},      {19, ""},
      {20, ""},  {22, ""},   {24, ""},       {26, std::nullopt},
      {28, "1"}, {31, "7F"}, {34, "0"},      {35, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(InitialKindText(c.kind), c.text) << c.kind;
}

TEST(ConfigGroups, EightGroupsOf42RowsAndNineHiddenItems) {
  const std::vector<std::pair<std::string, std::vector<int>>> expected = {
      {"Application", {17, 40, 37, 20, 38, 31}},
      {"Power", {41, 42, 43, 44, 45}},
      {"Security", {21, 23, 29}},
      {"Network", {22, 24, 25, 26, 27, 32, 30}},
      {"MAC", {10, 14, 15, 16, 18, 19, 34}},
      {"PHY", {11, 13, 12, 48}},
      {"UART", {5, 6, 7, 8, 9, 47}},
      {"Private", {1, 2, 3, 49}},
  };
  ASSERT_EQ(ConfigGroups().size(), 8u);
  std::vector<int> shown;
  for (std::size_t g = 0; g < 8; ++g) {
    EXPECT_EQ(ConfigGroups()[g].name, expected[g].first);
    std::vector<int> items(ConfigGroups()[g].items.begin(), ConfigGroups()[g].items.end());
    EXPECT_EQ(items, expected[g].second) << expected[g].first;
    shown.insert(shown.end(), items.begin(), items.end());
  }
  EXPECT_EQ(shown.size(), 42u);
  std::vector<int> hidden;
  for (int i = 0; i < kItemCount; ++i) {
    if (std::find(shown.begin(), shown.end(), i) == shown.end()) hidden.push_back(i);
  }
  EXPECT_EQ(hidden, (std::vector<int>{0, 4, 28, 33, 35, 36, 39, 46, 50}));
}

TEST(ConfigOptionCodes, EveryOptionOfEveryList) {
  struct Case {
    int item;
    Items options;
    Items codes;
  };
  const Items hex = {"00", "01", "02", "03", "04", "05", "06", "07", "08"};
  auto first = [&hex](std::size_t n) { return Items(hex.begin(), hex.begin() + n); };
  const Case cases[] = {
      {5, {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}, first(9)},
      {6, {"5", "7", "8"}, first(3)},
      {7, {"None", "Zero", "Even", "Odd"}, first(4)},
      {8, {"None", "1", "2"}, first(3)},
      {9, {"None", "Xon/Xoff", "Hardware"}, first(3)},
      {12, Items(kChannelOptions.begin(), kChannelOptions.end()),
       Items(kChannelOptions.begin(), kChannelOptions.end())},
      {20, {"Coordinator", "Router", "EndDevice"}, first(3)},
      {21, {"False", "True"}, first(2)},
      {24, {"Tree routing", "Mesh routing"}, first(2)},
      {29, {"Disable", "Enable", "Trust Center"}, {"00", "01", "81"}},
      {37, {"AT Command", "P2P MODE", "Group MODE", "Remote AT", "Star MODE"}, first(5)},
      {41, {"Disable", "Alarm", "Period"}, first(3)},
      {42,
       {"Period disable", "Once per 0.5 sec", "Once per 1 sec", "Once per 1 min", "Once per 1 hour",
        "Once per 1 day", "Once per 1 month"},
       first(7)},
      {47, {"RS232", "RS422", "RS485"}, first(3)},
      {48, {"OFF", "ON"}, first(2)},
  };
  int lists = 0;
  for (const ConfigItem& item : ConfigCatalogue())
    lists += item.valueType == ParamValueType::OptionList;
  EXPECT_EQ(lists, static_cast<int>(std::size(cases)));
  for (const Case& c : cases) {
    const ConfigItem& item = ConfigCatalogue()[c.item];
    EXPECT_EQ(Items(item.options.begin(), item.options.end()), c.options) << item.name;
    for (std::size_t i = 0; i < c.codes.size(); ++i) {
      EXPECT_EQ(ConfigOptionCode(c.item, static_cast<int>(i)), c.codes[i]) << item.name;
      EXPECT_EQ(StoredOptionIndex(c.item, c.codes[i]), static_cast<int>(i)) << item.name;
    }
    EXPECT_EQ(ConfigOptionCode(c.item, static_cast<int>(c.codes.size())), std::nullopt);
  }
  // Defaults name the options they stand for.
  EXPECT_EQ(ConfigCatalogue()[5].options[*StoredOptionIndex(5, "04")], "9600");
  EXPECT_EQ(ConfigCatalogue()[20].options[*StoredOptionIndex(20, "02")], "EndDevice");
}

TEST(ConfigOptionCodes, UnusualStoredTextsNameNoOption) {
  struct Case {
    int item;
    const char* stored;
  };
  const Case cases[] = {{5, "09"},  {5, "0A"},  {5, "4"},   {5, "004"}, {5, ""},
                        {12, "0b"}, {12, "1B"}, {29, "03"}, {29, "80"}, {14, "00"}};
  for (const Case& c : cases) {
    EXPECT_EQ(StoredOptionIndex(c.item, c.stored), std::nullopt) << c.item << " " << c.stored;
  }
}

TEST(ConfigLookups, ByNameOrIndex) {
  struct Case {
    const char* text;
    std::optional<int> item;
  };
  const Case cases[] = {
      {"Version", 0},      {"PanID", 14},           {"Group ID", 36},     {"Device Name", 38},
      {"ReserveData", 50}, {"panid", std::nullopt}, {"14", 14},           {"0", 0},
      {"50", 50},          {"51", std::nullopt},    {"-1", std::nullopt}, {"1x", std::nullopt},
      {"", std::nullopt},  {" 14", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FindConfigItem(c.text), c.item) << c.text;
  EXPECT_EQ(ItemByName("14"), std::nullopt);
}

}  // namespace
}  // namespace netloom::catalogue
