// The program's own icons, the part of its resources the portable side knows.
// On Windows the resource compiler puts them into the program; here the build
// generates a source that registers each one during static initialisation
// (cmake/portable_resources.cmake), and LoadIconW finds them by number.
#pragma once

#include <cstdint>

#include "platform/portable/kernel32/types.h"

namespace portable {

struct icon_picture {
  const std::uint8_t* rgba = nullptr;  // rows top to bottom, bytes red, green, blue, alpha
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Makes icon `id` of the program's module; returns true so that it can
// initialise a static.
bool register_program_icon(WORD id, const icon_picture& picture);
// The picture behind an icon handle from LoadIconW; null for the system's
// icons and for anything else.
const icon_picture* program_icon(HICON icon);

}  // namespace portable
