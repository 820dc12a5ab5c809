// Run-time switches of the virtual module's boot loader, and the record of what it received.
//
// Lines are counted from 1 for each upload (a new identification request starts again); 0
// switches a fault off. Thread safety: every member may be called from any thread at any time;
// the serving thread reads the switches when it takes a record.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "core/sim/wire/flash_image.h"

namespace netloom::sim {

class BootLoaderFaults {
 public:
  // Answers line k with NAK, whatever its checksum.
  void SetNakAtLine(std::size_t line) { nakAtLine_ = line; }
  std::size_t NakAtLine() const { return nakAtLine_; }
  // Goes silent from line k on: takes the frames, answers nothing.
  void SetSilentFromLine(std::size_t line) { silentFromLine_ = line; }
  std::size_t SilentFromLine() const { return silentFromLine_; }
  // Leaves the identification request unanswered.
  void SetSilentToIdentify(bool silent) { silentToIdentify_ = silent; }
  bool SilentToIdentify() const { return silentToIdentify_; }
  // Ends the upload after line k as after the end-of-file record: EOT, ACK, verification.
  void SetEotAfterLine(std::size_t line) { eotAfterLine_ = line; }
  std::size_t EotAfterLine() const { return eotAfterLine_; }
  // Sends `count` bytes of chatter ('*') between taking line k and its ACK.
  void SetChatterBeforeAck(std::size_t line, std::size_t count) {
    chatterLine_ = line;
    chatterCount_ = count;
  }
  std::size_t ChatterLine() const { return chatterLine_; }
  std::size_t ChatterCount() const { return chatterCount_; }
  // Takes "ATUPGRADE 0" and "ATRESET" in the boot loader without answering "OK" (the module
  // still returns to command mode).
  void SetQuietReturn(bool quiet) { quietReturn_ = quiet; }
  bool QuietReturn() const { return quietReturn_; }
  // The verification finds the image bad.
  void SetFailVerify(bool fail) { failVerify_ = fail; }
  bool FailVerify() const { return failVerify_; }

  // What the module is doing: true from the reset into the boot loader until the reset back.
  bool InBootLoader() const { return inBootLoader_; }
  void NoteInBootLoader(bool on) { inBootLoader_ = on; }
  // Records taken and acknowledged in the current upload.
  std::size_t LinesAccepted() const { return linesAccepted_; }
  void NoteLinesAccepted(std::size_t lines) { linesAccepted_ = lines; }
  // The image of the last upload that reached verification.
  wire::FlashImage VerifiedImage() const;
  void NoteVerifiedImage(const wire::FlashImage& image);
  // Uploads that reached verification.
  std::size_t Verifications() const { return verifications_; }

 private:
  std::atomic<std::size_t> nakAtLine_{0};
  std::atomic<std::size_t> silentFromLine_{0};
  std::atomic<bool> silentToIdentify_{false};
  std::atomic<std::size_t> eotAfterLine_{0};
  std::atomic<std::size_t> chatterLine_{0};
  std::atomic<std::size_t> chatterCount_{0};
  std::atomic<bool> failVerify_{false};
  std::atomic<bool> quietReturn_{false};
  std::atomic<bool> inBootLoader_{false};
  std::atomic<std::size_t> linesAccepted_{0};
  std::atomic<std::size_t> verifications_{0};
  mutable std::mutex imageMutex_;
  wire::FlashImage verifiedImage_;
};

}  // namespace netloom::sim
