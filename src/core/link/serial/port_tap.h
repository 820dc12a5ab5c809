// Taps at the bottom of the link: every byte written to and read from a port, handed to
// whoever asked for that port's bytes (a document's session log), without any exchange knowing.
//
// TapPort registers a tap for a device path; every port OpenPort opens at that path while the
// returned PortTapping lives hands the tap each chunk it writes (after the driver took it) and
// each chunk it reads, in the order they crossed the line. Several taps may watch one path.
// Thread safety: TapPort and the PortTapping's destructor may be called from any thread; a tap
// is called on the thread that uses the port (the link worker) and must be thread-safe itself.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/link/serial/serial_port.h"

namespace netloom::link {

enum class Direction : char {
  Sent = '>',      // from this program to the module
  Received = '<',  // from the module to this program
};

class PortTap {
 public:
  virtual ~PortTap() = default;
  virtual void Note(Direction direction, std::span<const std::uint8_t> bytes) = 0;
};

// Ends the tap on destruction (ports already open keep their tap until they close).
class PortTapping {
 public:
  PortTapping() = default;
  ~PortTapping();
  PortTapping(PortTapping&& other) noexcept : id_(other.id_) { other.id_ = 0; }
  PortTapping& operator=(PortTapping&& other) noexcept;
  PortTapping(const PortTapping&) = delete;
  PortTapping& operator=(const PortTapping&) = delete;

 private:
  friend PortTapping TapPort(std::string path, std::shared_ptr<PortTap> tap);
  explicit PortTapping(std::uint64_t id) : id_(id) {}
  std::uint64_t id_ = 0;
};

[[nodiscard]] PortTapping TapPort(std::string path, std::shared_ptr<PortTap> tap);

namespace detail {
// `port` itself when no tap watches its path, else `port` wrapped so that its taps see its bytes.
std::unique_ptr<SerialPort> Tapped(std::unique_ptr<SerialPort> port);
}  // namespace detail

}  // namespace netloom::link
