// The POSIX serial port: termios for the line, poll for every wait.
#pragma once

#include <string>

#include "core/link/serial/serial_port.h"

namespace netloom::link::detail {

class PosixSerialPort final : public SerialPort {
 public:
  // Opens `path` exclusively and puts it in raw mode (see OpenPort).
  static OpenResult Open(const std::string& path);
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Configure(const UartSettings& settings) override;
  void SetReadTimeout(std::uint32_t totalMs) override { readTimeoutMs_ = totalMs; }
  bool Write(std::span<const std::uint8_t> bytes) override;
  ReadResult Read(std::span<std::uint8_t> buffer) override;
  const std::string& Path() const override { return path_; }
  LinkError LastError() const override { return lastError_; }

 private:
  PosixSerialPort(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  bool Fail(LinkError error);
  bool FailErrno(int err);

  int fd_;
  std::string path_;
  std::uint32_t readTimeoutMs_ = 5000;
  std::uint32_t writeTimeoutMs_ = 5000;
  LinkError lastError_;
};

}  // namespace netloom::link::detail
