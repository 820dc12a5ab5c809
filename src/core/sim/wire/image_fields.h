// Reading and writing single settings of the module's image (image_layout.h). None of these
// seal the image: the caller does once it has changed what it wanted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/sim/wire/image_layout.h"

namespace netloom::sim::wire {

// A number setting of at most four bytes.
std::uint32_t NumberAt(const ImageBytes& image, int setting);
void SetNumberAt(ImageBytes& image, int setting, std::uint32_t value);

// A text setting up to its first zero byte.
std::string TextAt(const ImageBytes& image, int setting);
// Stores the text's first characters that fit, zero bytes after them.
void SetTextAt(ImageBytes& image, int setting, std::string_view text);

// Stores a setting given as the text a host shows for it: a number or the key as exactly
// twice its size in hex digits, a text as its characters; the reserved block becomes zero
// whatever the text. False (nothing stored) when the text does not fit the setting's form.
bool SetSettingText(ImageBytes& image, int setting, std::string_view text);

}  // namespace netloom::sim::wire
