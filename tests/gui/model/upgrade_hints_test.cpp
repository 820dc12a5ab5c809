#include "gui/model/upgrade_hints.h"

#include <gtest/gtest.h>

#include "core/firmware/upgrade_texts.h"

namespace netloom::model {
namespace {

TEST(UpgradeHints, APortHeldOpenIsNamedInPlaceOfTheTimeOut) {
  const auto shown = ShowUpgradeMessage(
      {std::string(firmware::kNoTargetMessage), "/dev/ttyUSB0: in use by another program"},
      "ttyUSB0");
  EXPECT_EQ(shown.text,
            "ttyUSB0 is open in another window (a connected network window?). Disconnect it "
            "there, then try again.");
  EXPECT_EQ(shown.hint, "/dev/ttyUSB0: in use by another program");
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
}

}  // namespace
}  // namespace netloom::model
