// The serial line's names, one owner for every place that shows or takes them (the status bar, the
// upgrade log, the settings dialog, the command line): the choices a user is offered and the texts
// of UartSettings' parity, stop-bit and flow-control codes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/serial/uart_settings.h"

namespace netloom::link {

// A code of UartSettings with its name.
template <typename Code>
struct LineName {
  Code code;
  std::string_view text;
};

// The baud rates offered, in list order (the command line takes any rate the port has).
inline constexpr std::array<std::uint32_t, 9> kOfferedBaudRates = {300,   1200,  2400,  4800,  9600,
                                                                   19200, 38400, 57600, 115200};
// The byte sizes offered.
inline constexpr std::array<std::uint8_t, 3> kOfferedByteSizes = {5, 7, 8};
// The stop-bit codes offered; one and a half has a text but is not offered, no port here takes it.
inline constexpr std::array<StopBits, 2> kOfferedStopBits = {StopBits::One, StopBits::Two};

// Every parity code, in code order; all are offered.
inline constexpr std::array<LineName<Parity>, 5> kParityNames = {{{Parity::None, "None"},
                                                                  {Parity::Odd, "Odd"},
                                                                  {Parity::Even, "Even"},
                                                                  {Parity::Mark, "Mark"},
                                                                  {Parity::Space, "Space"}}};
// Every flow-control code, in code order (listed by the dialog, which keeps None).
inline constexpr std::array<LineName<FlowControl>, 3> kFlowNames = {
    {{FlowControl::None, "None"},
     {FlowControl::XonXoff, "Xon/Xoff"},
     {FlowControl::Hardware, "Hardware"}}};

// The texts of the codes. A parity code outside the table has an empty text: it names no parity,
// and showing "None" would claim a setting the port does not have. Other stop-bit codes read "2",
// other flow codes "Hardware".
std::string_view ParityText(Parity parity);
std::string_view StopBitsText(StopBits stopBits);
std::string_view FlowText(FlowControl flow);

// "<baud> <byte size>-<parity>-<stop bits> FLOW:<flow>", for example "9600 8-None-1 FLOW:None".
std::string LineSettingsText(const UartSettings& settings);

// The position of `code` in a table of names, or -1 when the table has no such code.
template <typename Code, std::size_t N>
constexpr int IndexOf(const std::array<LineName<Code>, N>& names, Code code) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace netloom::link
