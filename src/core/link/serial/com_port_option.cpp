#include "core/link/serial/com_port_option.h"

namespace netloom::link::rfc2217 {

LineValues ValuesOf(const UartSettings& settings) {
  std::uint8_t stopSize = 1;
  if (settings.stopBits == StopBits::Two) stopSize = 2;
  if (settings.stopBits == StopBits::OneAndHalf) stopSize = 3;
  return {settings.baudRate, settings.byteSize,
          static_cast<std::uint8_t>(static_cast<std::uint8_t>(settings.parity) + 1), stopSize,
          static_cast<std::uint8_t>(static_cast<std::uint8_t>(settings.flowControl) + 1)};
}

std::vector<Request> LineRequests(const LineValues& values) {
  const std::uint32_t rate = values.baudRate;
  return {
      {kSetBaudRate,
       {static_cast<std::uint8_t>(rate >> 24), static_cast<std::uint8_t>(rate >> 16),
        static_cast<std::uint8_t>(rate >> 8), static_cast<std::uint8_t>(rate)}},
      {kSetDataSize, {values.dataSize}},
      {kSetParity, {values.parity}},
      {kSetStopSize, {values.stopSize}},
      {kSetControl, {values.control}},
  };
}

std::optional<std::uint8_t> TakeLineAnswer(std::span<const std::uint8_t> payload,
                                           LineValues& held) {
  if (payload.size() < 2 || payload[0] <= kServerOffset) return std::nullopt;
  const auto command = static_cast<std::uint8_t>(payload[0] - kServerOffset);
  const auto value = payload.subspan(1);
  switch (command) {
    case kSetBaudRate:
      if (value.size() != 4) return std::nullopt;
      held.baudRate = static_cast<std::uint32_t>(value[0]) << 24 |
                      static_cast<std::uint32_t>(value[1]) << 16 |
                      static_cast<std::uint32_t>(value[2]) << 8 | value[3];
      return command;
    case kSetDataSize:
      held.dataSize = value[0];
      return command;
    case kSetParity:
      held.parity = value[0];
      return command;
    case kSetStopSize:
      held.stopSize = value[0];
      return command;
    case kSetControl:
      // Only the flow-control answers; DTR and RTS answers share the command.
      if (value[0] < 1 || value[0] > 3) return std::nullopt;
      held.control = value[0];
      return command;
    default:
      return std::nullopt;
  }
}

}  // namespace netloom::link::rfc2217
