// The serial line's names: every code and its text, both ways, and codes outside the tables.
#include "core/link/serial/line_names.h"

#include <gtest/gtest.h>

namespace netloom::link {
namespace {

TEST(LineNames, EveryNamedCodeReadsItsTextAndIsFoundAgain) {
  for (const auto& [code, text] : kParityNames) {
    EXPECT_EQ(ParityText(code), text);
    EXPECT_EQ(kParityNames[static_cast<std::size_t>(IndexOf(kParityNames, code))].text, text);
  }
  for (const auto& [code, text] : kFlowNames) {
    EXPECT_EQ(FlowText(code), text);
    EXPECT_EQ(kFlowNames[static_cast<std::size_t>(IndexOf(kFlowNames, code))].text, text);
  }
  EXPECT_EQ(StopBitsText(StopBits::One), "1");
  EXPECT_EQ(StopBitsText(StopBits::OneAndHalf), "1.5");
  EXPECT_EQ(StopBitsText(StopBits::Two), "2");
}

TEST(LineNames, CodesOutsideTheTables) {
  EXPECT_EQ(IndexOf(kParityNames, static_cast<Parity>(5)), -1);
  EXPECT_EQ(ParityText(static_cast<Parity>(5)), "");
  EXPECT_EQ(StopBitsText(static_cast<StopBits>(7)), "2");
  EXPECT_EQ(IndexOf(kFlowNames, static_cast<FlowControl>(3)), -1);
  EXPECT_EQ(FlowText(static_cast<FlowControl>(3)), "Hardware");
}

TEST(LineNames, SettingsText) {
  struct Case {
    UartSettings settings;
    const char* text;
  };
  const Case cases[] = {
      {{}, "9600 8-None-1 FLOW:None"},
      {{1, 115200, 8, Parity::Even, StopBits::OneAndHalf, FlowControl::Hardware, 0, 0},
       "115200 8-Even-1.5 FLOW:Hardware"},
      {{1, 115200, 8, Parity::Space, StopBits::Two, FlowControl::XonXoff, 0, 0},
       "115200 8-Space-2 FLOW:Xon/Xoff"},
      {{1, 9600, 7, static_cast<Parity>(9), StopBits::One, FlowControl::None, 0, 0},
       "9600 7--1 FLOW:None"},
  };
  for (const auto& c : cases) EXPECT_EQ(LineSettingsText(c.settings), c.text);
}

}  // namespace
}  // namespace netloom::link
