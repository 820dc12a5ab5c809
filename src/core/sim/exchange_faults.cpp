#include "core/sim/exchange_faults.h"

#include <utility>

namespace netloom::sim {

void ExchangeFaults::ClearSwitches() {
  noiseBeforeReply_ = 0;
  badFrameChecksumAt_ = 0;
  badImageChecksum_ = false;
  nothingAfterEot_ = false;
  silentFromFrame_ = 0;
  escAtFrame_ = 0;
  babbleAtFrame_ = 0;
  babbleBytes_ = kDefaultBabbleBytes;
  babbleThenAnswer_ = false;
  nakAtEnd_ = false;
  writeIgnoresItem_ = -1;
  identityWriteAnswer_ = IdentityWriteAnswer::Normal;
  std::lock_guard lock(mutex_);
  readReply_.reset();
  writeHeader_.reset();
  identityReply_.reset();
}

void ExchangeFaults::SetReadReply(std::optional<std::string> bytes) {
  std::lock_guard lock(mutex_);
  readReply_ = std::move(bytes);
}

std::optional<std::string> ExchangeFaults::ReadReply() const {
  std::lock_guard lock(mutex_);
  return readReply_;
}

void ExchangeFaults::SetWriteHeader(std::optional<std::string> bytes) {
  std::lock_guard lock(mutex_);
  writeHeader_ = std::move(bytes);
}

std::optional<std::string> ExchangeFaults::WriteHeader() const {
  std::lock_guard lock(mutex_);
  return writeHeader_;
}

void ExchangeFaults::SetIdentityReply(std::optional<std::string> bytes) {
  std::lock_guard lock(mutex_);
  identityReply_ = std::move(bytes);
}

std::optional<std::string> ExchangeFaults::IdentityReply() const {
  std::lock_guard lock(mutex_);
  return identityReply_;
}

}  // namespace netloom::sim
