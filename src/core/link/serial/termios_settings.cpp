#include "core/link/serial/termios_settings.h"

#include <array>
#include <utility>

namespace netloom::link::detail {

speed_t SpeedOf(std::uint32_t baudRate) {
  static constexpr std::array<std::pair<std::uint32_t, speed_t>, 30> kSpeeds{{
      {50, B50},           {75, B75},           {110, B110},         {134, B134},
      {150, B150},         {200, B200},         {300, B300},         {600, B600},
      {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
      {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
      {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
      {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
      {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
      {3500000, B3500000}, {4000000, B4000000},
  }};
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == baudRate) return speed;
  }
  return B0;
}

void MakeRaw(termios& state) {
  state.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY | INPCK | IUCLC | IMAXBEL);
  state.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  state.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
  state.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  state.c_cflag |= CLOCAL | CREAD;
  state.c_cc[VMIN] = 0;
  state.c_cc[VTIME] = 0;
}

bool ApplyLineSettings(const UartSettings& settings, termios& state, std::string& reason) {
  if (settings.flowControl == FlowControl::XonXoff ||
      settings.flowControl == FlowControl::Hardware) {
    reason = "flow control is not supported";
    return false;
  }
  if (settings.stopBits != StopBits::One && settings.stopBits != StopBits::Two) {
    reason = "only 1 or 2 stop bits are supported";
    return false;
  }
  static constexpr std::array<tcflag_t, 4> kSizes{CS5, CS6, CS7, CS8};
  if (settings.byteSize < 5 || settings.byteSize > 8) {
    reason = "byte size " + std::to_string(settings.byteSize) + " is not supported";
    return false;
  }
  const speed_t speed = SpeedOf(settings.baudRate);
  if (speed == B0) {
    reason = "baud rate " + std::to_string(settings.baudRate) + " is not supported";
    return false;
  }
  tcflag_t parity = 0;
  switch (settings.parity) {
    case Parity::None:
      break;
    case Parity::Odd:
      parity = PARENB | PARODD;
      break;
    case Parity::Even:
      parity = PARENB;
      break;
    case Parity::Mark:
      parity = PARENB | CMSPAR | PARODD;
      break;
    case Parity::Space:
      parity = PARENB | CMSPAR;
      break;
    default:
      reason = "parity code is not supported";
      return false;
  }
  termios next = state;
  MakeRaw(next);
  next.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  next.c_cflag |= kSizes[settings.byteSize - 5] | parity;
  if (settings.stopBits == StopBits::Two) next.c_cflag |= CSTOPB;
  cfsetispeed(&next, speed);
  cfsetospeed(&next, speed);
  state = next;
  return true;
}

}  // namespace netloom::link::detail
