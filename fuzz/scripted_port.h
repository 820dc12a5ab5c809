// A serial port whose reads serve the fuzzer's bytes: each read takes a count byte, then up to
// that many bytes (a count of 0 is a silent read, as when the module says nothing). Writes go
// nowhere. So a receiver that reads the port itself is fed what a module could send, without a
// device or a time-out.
#pragma once

#include <algorithm>
#include <string>

#include "core/link/serial/clock.h"
#include "core/link/serial/serial_port.h"
#include "fuzz_input.h"

namespace netloom::fuzz {

class ScriptedPort final : public link::SerialPort {
 public:
  explicit ScriptedPort(FuzzInput& input) : input_(input) {}

  bool Configure(const link::UartSettings&) override { return true; }
  void SetReadTimeout(std::uint32_t) override {}
  bool Write(std::span<const std::uint8_t>) override { return true; }
  link::ReadResult Read(std::span<std::uint8_t> buffer) override {
    if (input_.Rest().empty()) return {};
    const std::size_t wanted = input_.Byte();
    const std::size_t count = std::min({wanted, buffer.size(), input_.Rest().size()});
    for (std::size_t i = 0; i < count; ++i) buffer[i] = input_.Byte();
    return {count, false};
  }
  const std::string& Path() const override { return path_; }

 private:
  FuzzInput& input_;
  std::string path_ = "fuzz";
};

// Protocol pauses take no time.
class NoPauseClock final : public link::Clock {
 public:
  void Pause(std::uint32_t) override {}
};

}  // namespace netloom::fuzz
