// Run-time switches of the configuration transfers (ATCFGREAD, ATCFGWRITE) and the identity
// exchange (ATINFOI), and counters a test can wait on.
//
// Frames are counted from 1 within each transfer; 0 switches a frame fault off. The switches
// apply to whichever node answers (local or through a remote console) and stay until changed.
// Thread safety: every member may be called from any thread at any time; the serving thread
// reads the switches when its exchange reaches them.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>

namespace netloom::sim {

// How the module answers an identity write ("ATINFOI 0002 ...").
enum class IdentityWriteAnswer {
  Normal,   // ACK for a request it can take (the identity is stored), EOT for another version
  Eot,      // EOT whatever the request
  Garbage,  // three bytes that are neither ACK nor EOT (the identity is stored all the same)
  Silence,  // nothing
};

class ExchangeFaults {
 public:
  static constexpr std::size_t kDefaultBabbleBytes = 63;

  // `count` bytes of line noise right before the read's first frame, the write's header and
  // the identity reply.
  void SetNoiseBeforeReply(std::size_t count) { noiseBeforeReply_ = count; }
  std::size_t NoiseBeforeReply() const { return noiseBeforeReply_; }

  // Read: frame k goes out with a wrong frame checksum.
  void SetBadFrameChecksumAt(std::size_t frame) { badFrameChecksumAt_ = frame; }
  std::size_t BadFrameChecksumAt() const { return badFrameChecksumAt_; }
  // Read: the image goes out with a wrong image checksum (every frame checksum right).
  void SetBadImageChecksum(bool bad) { badImageChecksum_ = bad; }
  bool BadImageChecksum() const { return badImageChecksum_; }
  // Read: nothing follows the final EOT.
  void SetNothingAfterEot(bool nothing) { nothingAfterEot_ = nothing; }
  bool NothingAfterEot() const { return nothingAfterEot_; }
  // Read: from frame k on nothing is sent. Write: from frame k on nothing is answered (k = 5:
  // the final EOT).
  void SetSilentFromFrame(std::size_t frame) { silentFromFrame_ = frame; }
  std::size_t SilentFromFrame() const { return silentFromFrame_; }
  // Write: frame k (5: the final EOT) is answered by `bytes` bytes that are neither ACK nor a
  // refusal (63 by default, more than the host waits through), and, with `thenAnswer`, after
  // them by the answer the module owes (ACK).
  void SetBabbleAtFrame(std::size_t frame, std::size_t bytes = kDefaultBabbleBytes,
                        bool thenAnswer = false) {
    babbleAtFrame_ = frame;
    babbleBytes_ = bytes;
    babbleThenAnswer_ = thenAnswer;
  }
  std::size_t BabbleAtFrame() const { return babbleAtFrame_; }
  std::size_t BabbleBytes() const { return babbleBytes_; }
  bool BabbleThenAnswer() const { return babbleThenAnswer_; }
  // Write: frame k is answered ESC (as if its checksum were wrong).
  void SetEscAtFrame(std::size_t frame) { escAtFrame_ = frame; }
  std::size_t EscAtFrame() const { return escAtFrame_; }
  // Write: the image is taken and acknowledged, but item `item` (0..50) keeps its old value, as
  // a module does with a setting it does not let be changed; -1 switches it off.
  void SetWriteIgnoresItem(int item) { writeIgnoresItem_ = item; }
  int WriteIgnoresItem() const { return writeIgnoresItem_; }
  // Write: the final EOT is answered NAK (as if the image checksum were wrong).
  void SetNakAtEnd(bool nak) { nakAtEnd_ = nak; }
  bool NakAtEnd() const { return nakAtEnd_; }

  // Read: these bytes go out instead of the frames and EOT (nothing: the normal frames).
  void SetReadReply(std::optional<std::string> bytes);
  std::optional<std::string> ReadReply() const;
  // Write: these bytes go out instead of the header (STX, "0002", MAC, EOT); the module then
  // returns to command mode.
  void SetWriteHeader(std::optional<std::string> bytes);
  std::optional<std::string> WriteHeader() const;
  // Identity read: these bytes go out instead of "<...>".
  void SetIdentityReply(std::optional<std::string> bytes);
  std::optional<std::string> IdentityReply() const;
  void SetIdentityWriteAnswer(IdentityWriteAnswer answer) { identityWriteAnswer_ = answer; }
  IdentityWriteAnswer GetIdentityWriteAnswer() const { return identityWriteAnswer_; }

  // Every switch above back off (the counters below stay).
  void ClearSwitches();

  // Frames the module sent (read) or took (write) in the current transfer; 0 at its start.
  std::size_t FramesDone() const { return framesDone_; }
  void NoteFramesDone(std::size_t frames) { framesDone_ = frames; }
  // Images the module stored from a write; resets it took.
  std::size_t ImagesStored() const { return imagesStored_; }
  void NoteImageStored() { ++imagesStored_; }
  std::size_t Resets() const { return resets_; }
  void NoteReset() { ++resets_; }

 private:
  std::atomic<std::size_t> noiseBeforeReply_{0};
  std::atomic<std::size_t> badFrameChecksumAt_{0};
  std::atomic<bool> badImageChecksum_{false};
  std::atomic<bool> nothingAfterEot_{false};
  std::atomic<std::size_t> silentFromFrame_{0};
  std::atomic<std::size_t> escAtFrame_{0};
  std::atomic<std::size_t> babbleAtFrame_{0};
  std::atomic<std::size_t> babbleBytes_{kDefaultBabbleBytes};
  std::atomic<bool> babbleThenAnswer_{false};
  std::atomic<bool> nakAtEnd_{false};
  std::atomic<int> writeIgnoresItem_{-1};
  std::atomic<IdentityWriteAnswer> identityWriteAnswer_{IdentityWriteAnswer::Normal};
  std::atomic<std::size_t> framesDone_{0};
  std::atomic<std::size_t> imagesStored_{0};
  std::atomic<std::size_t> resets_{0};
  mutable std::mutex mutex_;
  std::optional<std::string> readReply_;
  std::optional<std::string> writeHeader_;
  std::optional<std::string> identityReply_;
};

}  // namespace netloom::sim
