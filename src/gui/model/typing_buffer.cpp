#include "gui/model/typing_buffer.h"

namespace netloom::model {

TypingBuffer::Next TypingBuffer::Type(char c) {
  buffer_[static_cast<std::size_t>(count_++)] = c;
  if (c == '\r') return Next::SendAfterWait;
  return count_ < kChunkSize ? Next::ArmPause : Next::SendNow;
}

std::string TypingBuffer::Take() {
  std::string text(buffer_.data(), static_cast<std::size_t>(count_));
  buffer_.fill(0);
  count_ = 0;
  return text;
}

}  // namespace netloom::model
