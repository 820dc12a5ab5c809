// The status-bar line of a connection's line settings: "9600 8-None-1 FLOW:None".
#pragma once

#include <string>

#include "core/link/serial/uart_settings.h"

namespace netloom::model {

std::string PortSettingsText(const link::UartSettings& settings);

}  // namespace netloom::model
