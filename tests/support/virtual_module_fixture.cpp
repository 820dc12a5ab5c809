#include "support/virtual_module_fixture.h"

#include "core/link/serial/termios_settings.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "core/sim/node_image.h"
#include "support/wait_for.h"

namespace netloom::testsupport {

sim::VirtualModuleOptions TestModuleOptions(std::uint32_t rate) {
  sim::VirtualModuleOptions options;
  options.timeDivisor = kModuleTimeDivisor;
  if (!sim::ConfigureLineRate(options.network, rate)) ADD_FAILURE() << "no such rate: " << rate;
  return options;
}

ScopedVirtualModule::ScopedVirtualModule(sim::VirtualModuleOptions options) {
  options.linkPath = folder_.File("module");
  module_ = std::make_unique<sim::VirtualModule>(std::move(options));
  const auto error = module_->Start();
  EXPECT_FALSE(error) << "virtual module did not start: " << error.detail;
}

ScopedVirtualModule::ScopedVirtualModule(sim::SimNetwork network)
    : ScopedVirtualModule([&] {
        auto options = TestModuleOptions();
        options.network = std::move(network);
        return options;
      }()) {}

TtyClient::TtyClient(const std::string& path, std::uint32_t baud) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return;
  termios tio{};
  tcgetattr(fd_, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd_, TCSANOW, &tio);
  SetRate(baud);
}

bool TtyClient::SetRate(std::uint32_t baud) {
  const speed_t speed = link::detail::SpeedOf(baud);
  termios tio{};
  if (speed == B0 || tcgetattr(fd_, &tio) != 0) return false;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  return tcsetattr(fd_, TCSANOW, &tio) == 0;
}

TtyClient::~TtyClient() {
  if (fd_ >= 0) close(fd_);
}

bool TtyClient::Write(std::string_view bytes) {
  return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string TtyClient::ReadUntil(std::string_view expected, std::chrono::milliseconds timeout) {
  return testsupport::ReadUntil(
      fd_, [&](const std::string& got) { return got.find(expected) != std::string::npos; },
      timeout);
}

std::string TtyClient::ReadFor(std::chrono::milliseconds window) {
  // A text that never arrives: the read lasts the whole window.
  return ReadUntil(std::string_view("\0\0\0", 3), window);
}

bool TtyClient::ReadFails(std::chrono::milliseconds timeout) {
  pollfd in{fd_, POLLIN, 0};
  if (poll(&in, 1, static_cast<int>(timeout.count())) <= 0) return false;
  char buffer[256];
  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
  return n < 0 ? errno != EAGAIN : n == 0;
}

}  // namespace netloom::testsupport
