#include "gui/model/pane_target.h"

#include <gtest/gtest.h>

namespace netloom::model {
namespace {

TEST(PaneTarget, HoldsFourCharactersAndNamesTheModuleItReaches) {
  struct Case {
    PaneTarget target;
    std::string address;
    std::string described;
  };
  const std::vector<Case> cases = {
      {{}, "NULL", "the local module on ttyUSB0"},
      {{false, "2B02"}, "2B02", "the local module on ttyUSB0"},
      {{true, "2B02xx"}, "2B02", "node 2B02 on ttyUSB0"},
      {{true, "1A"}, "1A", "node 1A on ttyUSB0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.target.address, c.address);
    EXPECT_EQ(DescribeTarget(c.target, "ttyUSB0"), c.described);
  }
  // Local targets reach the one module whatever node is selected; remote ones their node.
  EXPECT_TRUE(PaneTarget(false, "1A01").SameModule(PaneTarget(false, "2B02")));
  EXPECT_FALSE(PaneTarget(true, "1A01").SameModule(PaneTarget(true, "2B02")));
  EXPECT_FALSE(PaneTarget(true, "1A01").SameModule(PaneTarget(false, "1A01")));
}

}  // namespace
}  // namespace netloom::model
