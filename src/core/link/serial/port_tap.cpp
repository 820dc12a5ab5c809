#include "core/link/serial/port_tap.h"

#include <map>
#include <mutex>
#include <vector>

namespace netloom::link {
namespace {

struct Registration {
  std::string path;
  std::shared_ptr<PortTap> tap;
};

struct Registry {
  std::mutex mutex;
  std::uint64_t nextId = 1;
  std::map<std::uint64_t, Registration> taps;
};

Registry& Taps() {
  static Registry registry;
  return registry;
}

class TappedPort final : public SerialPort {
 public:
  TappedPort(std::unique_ptr<SerialPort> inner, std::vector<std::shared_ptr<PortTap>> taps)
      : inner_(std::move(inner)), taps_(std::move(taps)) {}

  bool Configure(const UartSettings& settings) override { return inner_->Configure(settings); }
  void SetReadTimeout(std::uint32_t totalMs) override { inner_->SetReadTimeout(totalMs); }
  bool Write(std::span<const std::uint8_t> bytes) override {
    const bool ok = inner_->Write(bytes);
    if (ok) Note(Direction::Sent, bytes);
    return ok;
  }
  ReadResult Read(std::span<std::uint8_t> buffer) override {
    const ReadResult result = inner_->Read(buffer);
    if (result.count > 0) Note(Direction::Received, buffer.first(result.count));
    return result;
  }
  const std::string& Path() const override { return inner_->Path(); }
  LinkError LastError() const override { return inner_->LastError(); }

 private:
  void Note(Direction direction, std::span<const std::uint8_t> bytes) {
    for (const auto& tap : taps_) tap->Note(direction, bytes);
  }

  std::unique_ptr<SerialPort> inner_;
  std::vector<std::shared_ptr<PortTap>> taps_;
};

}  // namespace

PortTapping::~PortTapping() {
  if (id_ == 0) return;
  std::lock_guard lock(Taps().mutex);
  Taps().taps.erase(id_);
}

PortTapping& PortTapping::operator=(PortTapping&& other) noexcept {
  if (this != &other) {
    PortTapping gone(id_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

PortTapping TapPort(std::string path, std::shared_ptr<PortTap> tap) {
  std::lock_guard lock(Taps().mutex);
  const std::uint64_t id = Taps().nextId++;
  Taps().taps[id] = {std::move(path), std::move(tap)};
  return PortTapping(id);
}

namespace detail {

std::unique_ptr<SerialPort> Tapped(std::unique_ptr<SerialPort> port) {
  if (!port) return port;
  std::vector<std::shared_ptr<PortTap>> taps;
  {
    std::lock_guard lock(Taps().mutex);
    for (const auto& [id, registration] : Taps().taps) {
      if (registration.path == port->Path()) taps.push_back(registration.tap);
    }
  }
  if (taps.empty()) return port;
  return std::make_unique<TappedPort>(std::move(port), std::move(taps));
}

}  // namespace detail
}  // namespace netloom::link
