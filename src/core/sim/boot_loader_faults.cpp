#include "core/sim/boot_loader_faults.h"

namespace netloom::sim {

wire::FlashImage BootLoaderFaults::VerifiedImage() const {
  std::lock_guard lock(imageMutex_);
  return verifiedImage_;
}

void BootLoaderFaults::NoteVerifiedImage(const wire::FlashImage& image) {
  {
    std::lock_guard lock(imageMutex_);
    verifiedImage_ = image;
  }
  ++verifications_;
}

}  // namespace netloom::sim
