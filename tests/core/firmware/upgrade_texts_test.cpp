#include "core/firmware/upgrade_texts.h"

#include <gtest/gtest.h>

namespace netloom::firmware {
namespace {

TEST(UpgradeTexts, FirmwarePathNeedsALowerCaseExtensionAnywhere) {
  EXPECT_TRUE(LooksLikeFirmwarePath("/tmp/app.hex"));
  EXPECT_TRUE(LooksLikeFirmwarePath("/tmp/app.hxf"));
  EXPECT_TRUE(LooksLikeFirmwarePath("/data/v2.hex/app.bin"));
  EXPECT_FALSE(LooksLikeFirmwarePath("/tmp/APP.HEX"));
  EXPECT_FALSE(LooksLikeFirmwarePath("/tmp/app.bin"));
  EXPECT_FALSE(LooksLikeFirmwarePath(""));
}

TEST(UpgradeTexts, UartLineNamesEverySetting) {
  link::UartSettings s;
  EXPECT_EQ(UartLogLine("/dev/ttyUSB0", s), "/dev/ttyUSB0 9600 8-None-1 FLOW:None\r\n");
  s.baudRate = 115200;
  s.byteSize = 7;
  s.parity = link::Parity::Space;
  s.stopBits = link::StopBits::OneAndHalf;
  s.flowControl = link::FlowControl::XonXoff;
  EXPECT_EQ(UartLogLine("COM3", s), "COM3 115200 7-Space-1.5 FLOW:Xon/Xoff\r\n");
  s.parity = static_cast<link::Parity>(9);
  s.stopBits = link::StopBits::Two;
  s.flowControl = link::FlowControl::Hardware;
  EXPECT_EQ(UartLogLine("p", s), "p 115200 7--2 FLOW:Hardware\r\n");
}

}  // namespace
}  // namespace netloom::firmware
