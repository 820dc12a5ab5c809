#include "core/sim/wire/frame_writer.h"

#include "core/sim/wire/control_bytes.h"
#include "core/sim/wire/hex_text.h"
#include "core/sim/wire/image_layout.h"

namespace netloom::sim::wire {

std::uint8_t FrameSum(std::span<const std::uint8_t> payload) {
  std::uint8_t sum = 0;
  for (const std::uint8_t byte : payload) sum = static_cast<std::uint8_t>(sum + byte);
  return static_cast<std::uint8_t>(0xFF - sum);
}

std::string FrameText(std::span<const std::uint8_t> payload, bool spoiled) {
  std::string text(1, static_cast<char>(kStx));
  text += HexDigits(static_cast<std::uint32_t>(payload.size()), 2);
  for (const std::uint8_t byte : payload) text += HexDigits(byte, 2);
  return text + HexDigits(FrameSum(payload) + (spoiled ? 1u : 0u), 2);
}

std::string WriteHeaderText(std::string_view mac) {
  std::string text(1, static_cast<char>(kStx));
  text += kFormatVersionText;
  text += mac;
  text += static_cast<char>(kEot);
  return text;
}

}  // namespace netloom::sim::wire
