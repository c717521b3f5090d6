// Keys as Windows reports them, from the keys SDL reports.
//
// Implements for the SDL2 host:
//   - SDL scan code -> Windows virtual key, PC/AT set-1 scan code and
//     extended-key flag, with the keypad following Num Lock;
//   - the characters Windows' TranslateMessage makes for keys that SDL gives
//     no text for (Return, Backspace, Tab, Escape, Ctrl+letter).
#pragma once

#include <SDL.h>

#include <cstdint>

namespace portable {

struct windows_key {
  std::uint32_t virtual_key = 0;  // 0: Windows has no key there
  std::uint32_t scan_code = 0;
  bool extended = false;
};

// What Windows reports for the key at `scancode`. `keycode` is what the
// keyboard layout puts on that key: a letter layout moves the letters' virtual
// keys with it, as Windows does. `mod` is SDL's modifier state at the time.
windows_key windows_key_for(SDL_Scancode scancode, SDL_Keycode keycode, std::uint16_t mod);

// The UTF-16 character that a key-down of `virtual_key` types on Windows when
// SDL gives no text for it, or 0.
char16_t control_character(std::uint32_t virtual_key, std::uint16_t mod);

}  // namespace portable
