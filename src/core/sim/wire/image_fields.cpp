#include "core/sim/wire/image_fields.h"

#include <algorithm>
#include <vector>

#include "core/sim/wire/hex_text.h"

namespace netloom::sim::wire {
namespace {

auto At(ImageBytes& image, const ImageField& field) {
  return image.begin() + static_cast<std::ptrdiff_t>(field.offset);
}

// The bytes the digit pairs of `text` spell, in text order; nothing when it holds a
// character that is no hex digit.
std::optional<std::vector<std::uint8_t>> PairBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t k = 0; k + 1 < text.size(); k += 2) {
    const auto pair = HexNumber(text.substr(k, 2));
    if (!pair) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*pair));
  }
  return bytes;
}

}  // namespace

std::uint32_t NumberAt(const ImageBytes& image, int setting) {
  const ImageField& field = FieldOf(setting);
  std::uint32_t value = 0;
  for (std::size_t k = std::min<std::size_t>(field.size, 4); k-- > 0;) {
    value = value << 8 | image[field.offset + k];
  }
  return value;
}

void SetNumberAt(ImageBytes& image, int setting, std::uint32_t value) {
  const ImageField& field = FieldOf(setting);
  for (std::size_t k = 0; k < field.size; ++k) {
    image[field.offset + k] = k < 4 ? static_cast<std::uint8_t>(value >> (8 * k)) : 0;
  }
}

std::string TextAt(const ImageBytes& image, int setting) {
  const ImageField& field = FieldOf(setting);
  std::string text;
  for (std::size_t k = 0; k < field.size && image[field.offset + k] != 0; ++k) {
    text += static_cast<char>(image[field.offset + k]);
  }
  return text;
}

void SetTextAt(ImageBytes& image, int setting, std::string_view text) {
  const ImageField& field = FieldOf(setting);
  std::fill_n(At(image, field), field.size, 0);
  std::copy_n(text.begin(), std::min(text.size(), field.size), At(image, field));
}

bool SetSettingText(ImageBytes& image, int setting, std::string_view text) {
  const ImageField& field = FieldOf(setting);
  switch (field.form) {
    case FieldForm::Reserved:
      std::fill_n(At(image, field), field.size, 0);
      return true;
    case FieldForm::Text:
      if (text.size() > field.size) return false;
      SetTextAt(image, setting, text);
      return true;
    case FieldForm::Number:
    case FieldForm::Key: {
      auto bytes = PairBytes(text);
      if (text.size() != 2 * field.size || !bytes) return false;
      // A number's last digit pair is its least significant byte, which comes first.
      if (field.form == FieldForm::Number) std::reverse(bytes->begin(), bytes->end());
      std::copy(bytes->begin(), bytes->end(), At(image, field));
      return true;
    }
  }
  return false;
}

}  // namespace netloom::sim::wire
