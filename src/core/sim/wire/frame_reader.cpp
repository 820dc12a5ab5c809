#include "core/sim/wire/frame_reader.h"

#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/frame_writer.h"
#include "core/sim/wire/hex_text.h"

namespace netloom::sim::wire {

FrameReader::Step FrameReader::Stop() {
  part_ = Part::Stopped;
  return Step::Bad;
}

bool FrameReader::TakeDigit(std::uint8_t character) {
  const auto value = DigitValue(static_cast<char>(character));
  if (!value) {
    Stop();
    return false;
  }
  pair_ = static_cast<std::uint8_t>((digits_ == 0 ? 0 : pair_ << 4) | *value);
  if (++digits_ < 2) return false;
  digits_ = 0;
  return true;
}

FrameReader::Step FrameReader::Feed(std::uint8_t byte) {
  switch (part_) {
    case Part::Start:
      if (byte == kEot) {
        part_ = Part::Stopped;
        return Step::End;
      }
      if (byte != kStx) return Stop();
      part_ = Part::Length;
      return Step::More;
    case Part::Length:
      if (!TakeDigit(byte)) break;
      length_ = pair_;
      if (length_ == 0 || length_ > kFramePayload || filled_ + length_ > image_.size()) {
        return Stop();
      }
      part_ = Part::Payload;
      taken_ = 0;
      sum_ = 0;
      return Step::More;
    case Part::Payload:
      if (!TakeDigit(byte)) break;
      image_[filled_ + taken_] = pair_;
      sum_ = static_cast<std::uint8_t>(sum_ + pair_);
      if (++taken_ == length_) part_ = Part::Sum;
      return Step::More;
    case Part::Sum:
      if (!TakeDigit(byte)) break;
      if (pair_ != static_cast<std::uint8_t>(0xFF - sum_)) return Stop();
      filled_ += length_;
      part_ = Part::Start;
      return Step::Frame;
    case Part::Stopped:
      return Step::Bad;
  }
  return part_ == Part::Stopped ? Step::Bad : Step::More;
}

}  // namespace netloom::sim::wire
