#include "gui/model/port_settings_text.h"

#include <gtest/gtest.h>

namespace netloom::model {
namespace {

TEST(PortSettingsText, Examples) {
  link::UartSettings settings;
  EXPECT_EQ(PortSettingsText(settings), "9600 8-None-1 FLOW:None");
  settings.baudRate = 115200;
  settings.parity = link::Parity::Even;
  settings.stopBits = link::StopBits::OneAndHalf;
  settings.flowControl = link::FlowControl::Hardware;
  EXPECT_EQ(PortSettingsText(settings), "115200 8-Even-1.5 FLOW:Hardware");
  settings.stopBits = link::StopBits::Two;
  settings.flowControl = link::FlowControl::XonXoff;
  settings.parity = link::Parity::Space;
  EXPECT_EQ(PortSettingsText(settings), "115200 8-Space-2 FLOW:Xon/Xoff");
}

}  // namespace
}  // namespace netloom::model
