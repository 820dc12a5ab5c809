// What the output pane does with typed characters: collect them and say when to send.
//
// A burst of typing goes out as one piece once the user pauses for kPauseMs, at once (after a
// wait of kPauseMs) when Enter is typed, the carriage return included, and in pieces of
// kChunkSize characters when the user types without pausing. Every character counts, control
// characters included. Widget-free; used on the UI thread only.
#pragma once

#include <array>
#include <string>

namespace netloom::model {

class TypingBuffer {
 public:
  static constexpr int kChunkSize = 126;
  static constexpr int kPauseMs = 300;

  enum class Next {
    ArmPause,      // (re)start the pause timer; send when it fires
    SendNow,       // the chunk is full: send at once
    SendAfterWait  // Enter: send after kPauseMs, whatever else happens meanwhile
  };

  // Stores one typed character and says what comes next.
  Next Type(char c);
  // The collected characters (may be empty); the buffer is empty afterwards.
  std::string Take();
  int count() const { return count_; }

 private:
  std::array<char, 256> buffer_{};
  int count_ = 0;
};

}  // namespace netloom::model
