// The serial-line flags every port-opening command takes: what each value sets, and the exact
// complaint for a value the line has no name for.
#include <gtest/gtest.h>

#include "cli/options.h"

namespace netloom::cli {
namespace {

std::optional<link::UartSettings> Parse(const std::vector<std::string>& args, std::string& error) {
  std::string parseError;
  const auto parsed = ParseArgs(args, LineFlags(), parseError);
  EXPECT_TRUE(parsed) << parseError;
  return ParseLineSettings(*parsed, error);
}

TEST(LineFlags, EveryOfferedValueSetsItsCode) {
  struct Case {
    std::vector<std::string> args;
    link::UartSettings settings;
  };
  using link::FlowControl, link::Parity, link::StopBits;
  const Case cases[] = {
      {{}, {}},
      {{"--baud", "115200", "--bits", "7", "--parity", "even", "--stop", "2"},
       {1, 115200, 7, Parity::Even, StopBits::Two, FlowControl::None, 5000, 5000}},
      {{"--bits", "5", "--parity", "space", "--stop", "1"},
       {1, 9600, 5, Parity::Space, StopBits::One, FlowControl::None, 5000, 5000}},
      {{"--parity", "odd"},
       {1, 9600, 8, Parity::Odd, StopBits::One, FlowControl::None, 5000, 5000}},
      {{"--parity", "mark"},
       {1, 9600, 8, Parity::Mark, StopBits::One, FlowControl::None, 5000, 5000}},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto settings = Parse(c.args, error);
    ASSERT_TRUE(settings) << error;
    EXPECT_EQ(settings->baudRate, c.settings.baudRate);
    EXPECT_EQ(settings->byteSize, c.settings.byteSize);
    EXPECT_EQ(settings->parity, c.settings.parity);
    EXPECT_EQ(settings->stopBits, c.settings.stopBits);
  }
}

TEST(LineFlags, ValuesWithoutANameAreRefusedWithTheChoices) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--baud", "0"}, "bad baud rate '0'"},
      {{"--baud", "fast"}, "bad baud rate 'fast'"},
      {{"--bits", "6"}, "bad byte size '6' (5, 7 or 8)"},
      {{"--parity", "None"}, "bad parity 'None' (none, odd, even, mark or space)"},
      {{"--stop", "1.5"}, "bad stop bits '1.5' (1 or 2)"},
      {{"--bits", "9", "--parity", "x"}, "bad byte size '9' (5, 7 or 8)"},  // the first one named
  };
  for (const auto& [args, message] : cases) {
    std::string error;
    EXPECT_FALSE(Parse(args, error));
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace netloom::cli
