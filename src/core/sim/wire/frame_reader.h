// The module's side of a configuration write: it takes the host's frames (frame_writer.h has
// their form) into an image buffer until EOT. The host's frames must be whole and in order; the
// module does not resynchronise within a transfer. No I/O: the handler feeds it byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/sim/wire/image_layout.h"

namespace netloom::sim::wire {

class FrameReader {
 public:
  enum class Step {
    More,   // feed the next byte
    Frame,  // a frame was taken into the image: answer ACK
    End,    // EOT between frames: the image is complete
    Bad,    // a byte out of place, a length the image cannot take, a wrong checksum
  };

  Step Feed(std::uint8_t byte);
  // The bytes taken so far, zero beyond them.
  const ImageBytes& Image() const { return image_; }

 private:
  enum class Part { Start, Length, Payload, Sum, Stopped };
  // Gathers a hex digit pair in `pair_`; true once both digits are in. Stops the reader on a
  // character that is no hex digit.
  bool TakeDigit(std::uint8_t character);
  Step Stop();

  Part part_ = Part::Start;
  int digits_ = 0;  // of the pair being gathered
  std::uint8_t pair_ = 0;
  std::size_t length_ = 0;
  std::size_t taken_ = 0;  // payload bytes of the frame under way
  std::uint8_t sum_ = 0;
  std::size_t filled_ = 0;
  ImageBytes image_{};
};

}  // namespace netloom::sim::wire
