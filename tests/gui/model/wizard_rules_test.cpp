#include "gui/model/wizard_rules.h"

#include <gtest/gtest.h>

namespace netloom::model {
namespace {

TEST(WizardRules, StartModeEntriesAndWhatTheyStore) {
  // Field -> entry shown: the undefined modes 2 and 3 show as "AT Command".
  const std::pair<std::int32_t, int> shown[] = {{0, 0}, {1, 1}, {2, 0}, {3, 0}, {4, 2}, {7, 2}};
  for (const auto& [mode, entry] : shown) EXPECT_EQ(StartModeEntry(mode), entry) << mode;
  // Entry -> field stored: "Star MODE" stores 4.
  EXPECT_EQ(StartModeOfEntry(0), 0);
  EXPECT_EQ(StartModeOfEntry(1), 1);
  EXPECT_EQ(StartModeOfEntry(2), 4);
}

TEST(WizardRules, ChannelEntriesRunFromBTo1A) {
  const auto entries = ChannelEntries();
  ASSERT_EQ(entries.size(), 16u);
  EXPECT_EQ(entries.front(), "B");
  EXPECT_EQ(entries[5], "10");
  EXPECT_EQ(entries.back(), "1A");
  EXPECT_EQ(static_cast<int>(entries.size()) - 1 + kFirstChannel, 26);  // "1A" stores 26
}

TEST(WizardRules, PanIdFocusChecks) {
  struct Case {
    std::string_view text;
    FieldCheck check;
  };
  const Case cases[] = {
      {"12", {{kPanIdLengthMessage, kPanIdDigitMessage}, true}},
      {"12345", {{kPanIdLengthMessage}, true}},
      {"ffff", {{}, false}},
      {"12G4", {{kPanIdDigitMessage}, true}},
      {"", {{kPanIdLengthMessage, kPanIdDigitMessage}, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckPanIdText(c.text), c.check) << c.text;
}

TEST(WizardRules, PanIdValueOfTheFirstFourCharacters) {
  EXPECT_EQ(PanIdOf("12345"), 0x1234);
  EXPECT_EQ(PanIdOf("ffff"), 0xFFFF);
  EXPECT_EQ(PanIdOf("aB0c"), 0xAB0C);
  EXPECT_TRUE(PanIdUsable("12345"));
  EXPECT_FALSE(PanIdUsable("12"));
  EXPECT_FALSE(PanIdUsable("12 4"));
}

TEST(WizardRules, DeviceNameFocusChecks) {
  const std::string sixteen(16, 'n');
  const std::string seventeen(17, 'n');
  struct Case {
    std::string text;
    FieldCheck check;
  };
  const Case cases[] = {
      {sixteen, {{}, false}},
      {seventeen, {{kNameTooLongMessage}, true}},
      {"", {{kNameEmptyMessage}, true}},
      {"My Node", {{kNameSpaceMessage}, true}},
      {seventeen + " ", {{kNameTooLongMessage, kNameSpaceMessage}, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckDeviceNameText(c.text), c.check) << c.text;
}

TEST(WizardRules, DefaultsAndDeviceTypeButtons) {
  EXPECT_EQ(DefaultWizardIdentity(), (link::ModuleIdentity{1, 11, 0x1234, 0, 0, "Device001"}));
  EXPECT_EQ(DeviceTypeButton(2), 2);
  EXPECT_EQ(DeviceTypeButton(3), -1);
}

}  // namespace
}  // namespace netloom::model
