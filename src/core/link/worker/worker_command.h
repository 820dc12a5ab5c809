// The link worker's command codes and the event set that carries them to the worker.
#pragma once

#include <cstdint>

namespace netloom::link {

// One event per code; signalling a code sets its event. Codes 8 and 9 are reserved and do nothing.
enum class WorkerCommand : std::uint8_t {
  Wake = 0,
  Stop = 1,
  ReadConfig = 2,
  WriteConfig = 3,
  ConsoleCommand = 4,
  QueryNetwork = 5,
  ReadIdentity = 6,
  WriteIdentity = 7,
  RawText = 10,
};

inline constexpr unsigned kWorkerCommandCount = 11;

}  // namespace netloom::link
