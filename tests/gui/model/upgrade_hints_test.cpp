#include "gui/model/upgrade_hints.h"

#include <gtest/gtest.h>

#include "core/firmware/upgrade_texts.h"

namespace netloom::model {
namespace {

TEST(UpgradeHints, APortHeldOpenKeepsTheMessageAndSaysWhyUnderIt) {
  for (const auto text : {firmware::kCantOpenUpgradePortMessage, firmware::kNoTargetMessage}) {
    const auto shown = ShowUpgradeMessage(
        {std::string(text), "/dev/ttyUSB0: in use by another program"}, "ttyUSB0");
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.hint,
              "ttyUSB0 is open elsewhere: another program, or a network window of this program "
              "that is connected to it, holds it. Close it or disconnect there, then try again."
              "\n\n/dev/ttyUSB0: in use by another program");
  }
}

TEST(UpgradeHints, TheMessageStaysWithAHintAndTheReasonUnderIt) {
  const auto noTarget = ShowUpgradeMessage({std::string(firmware::kNoTargetMessage), ""}, "p");
  EXPECT_EQ(noTarget.text, firmware::kNoTargetMessage);
  EXPECT_NE(noTarget.hint.find("Press \"Upgrade Mode\" first"), std::string::npos);
  const auto noPort = ShowUpgradeMessage(
      {std::string(firmware::kCantOpenUpgradePortMessage), "/dev/x: No such file or directory"},
      "x");
  EXPECT_TRUE(noPort.hint.ends_with("\n\n/dev/x: No such file or directory")) << noPort.hint;
  EXPECT_TRUE(
      ShowUpgradeMessage({std::string(firmware::kUpgradeFinishedMessage), ""}, "p").hint.empty());
  // A module that did not answer its return: the text stays, the hint is under it.
  const auto unanswered = ShowUpgradeMessage(
      {std::string(firmware::kUpgradeFinishedMessage), std::string(firmware::kNoAtModeAnswerHint)},
      "p");
  EXPECT_EQ(unanswered.text, firmware::kUpgradeFinishedMessage);
  EXPECT_EQ(unanswered.hint, firmware::kNoAtModeAnswerHint);
}

}  // namespace
}  // namespace netloom::model
