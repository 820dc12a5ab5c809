#include "core/link/exchange/command_mode.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace netloom::link {
namespace {

// One step of a sequence: write `text`, or read and drop a burst, or pause `ms`.
struct Step {
  enum Kind { Write, Read, Pause } kind;
  std::string_view text = {};
  std::uint32_t ms = 0;
};

constexpr Step kWritePlus{Step::Write, "+++"};
constexpr Step kWriteMinus{Step::Write, "---"};
constexpr Step kWriteCr{Step::Write, "\r"};
constexpr Step kRead{Step::Read};
constexpr Step Wait(std::uint32_t ms) {
  return {Step::Pause, {}, ms};
}

void Run(SerialPort& port, Clock& clock, std::initializer_list<Step> steps) {
  std::array<std::uint8_t, 256> buffer{};
  for (const Step& step : steps) {
    switch (step.kind) {
      case Step::Write:
        WriteText(port, step.text);
        break;
      case Step::Read:
        ReadBytes(port, buffer.data(), buffer.size());
        break;
      case Step::Pause:
        clock.Pause(step.ms);
        break;
    }
  }
}

}  // namespace

void EscapeSequence(SerialPort& port, Clock& clock) {
  Run(port, clock, {kWritePlus, kRead, Wait(50), kWriteCr, kRead});
}

void QueryPrelude(SerialPort& port, Clock& clock) {
  Run(port, clock, {kWriteMinus, kRead, Wait(50), kWriteCr, Wait(50), kRead});
}

void IdentityReadPrelude(SerialPort& port, Clock& clock) {
  Run(port, clock, {kWritePlus, Wait(500), kWriteCr, Wait(500), kRead});
}

void IdentityWritePrelude(SerialPort& port, Clock& clock) {
  Run(port, clock, {kWritePlus, Wait(500), kWriteCr, Wait(200), kRead});
}

}  // namespace netloom::link
