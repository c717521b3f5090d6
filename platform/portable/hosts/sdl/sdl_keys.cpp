#include "platform/portable/hosts/sdl/sdl_keys.h"

#include <algorithm>
#include <iterator>

namespace portable {
namespace {

// Windows' virtual keys (winuser.h) that the table below needs by name.
enum : std::uint8_t {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_CLEAR = 0x0C,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_LWIN = 0x5B,
  VK_RWIN = 0x5C,
  VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F13 = 0x7C,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_OEM_1 = 0xBA,
  VK_OEM_PLUS = 0xBB,
  VK_OEM_COMMA = 0xBC,
  VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE,
  VK_OEM_2 = 0xBF,
  VK_OEM_3 = 0xC0,
  VK_OEM_4 = 0xDB,
  VK_OEM_5 = 0xDC,
  VK_OEM_6 = 0xDD,
  VK_OEM_7 = 0xDE,
  VK_OEM_102 = 0xE2,
};

struct key_row {
  SDL_Scancode scancode;
  std::uint8_t virtual_key;
  std::uint8_t scan_code;  // PC/AT set 1, without the 0xE0 prefix that `extended` stands for
  bool extended;
  std::uint8_t without_num_lock;  // keypad: the navigation key it is when Num Lock is off
};

// A US keyboard, as Windows sees it. SDL's scan codes name positions (USB
// usages), so this is a table of positions, not of meanings.
constexpr key_row keys[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false, 0},
    {SDL_SCANCODE_1, '1', 0x02, false, 0},
    {SDL_SCANCODE_2, '2', 0x03, false, 0},
    {SDL_SCANCODE_3, '3', 0x04, false, 0},
    {SDL_SCANCODE_4, '4', 0x05, false, 0},
    {SDL_SCANCODE_5, '5', 0x06, false, 0},
    {SDL_SCANCODE_6, '6', 0x07, false, 0},
    {SDL_SCANCODE_7, '7', 0x08, false, 0},
    {SDL_SCANCODE_8, '8', 0x09, false, 0},
    {SDL_SCANCODE_9, '9', 0x0A, false, 0},
    {SDL_SCANCODE_0, '0', 0x0B, false, 0},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C, false, 0},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D, false, 0},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E, false, 0},
    {SDL_SCANCODE_TAB, VK_TAB, 0x0F, false, 0},
    {SDL_SCANCODE_Q, 'Q', 0x10, false, 0},
    {SDL_SCANCODE_W, 'W', 0x11, false, 0},
    {SDL_SCANCODE_E, 'E', 0x12, false, 0},
    {SDL_SCANCODE_R, 'R', 0x13, false, 0},
    {SDL_SCANCODE_T, 'T', 0x14, false, 0},
    {SDL_SCANCODE_Y, 'Y', 0x15, false, 0},
    {SDL_SCANCODE_U, 'U', 0x16, false, 0},
    {SDL_SCANCODE_I, 'I', 0x17, false, 0},
    {SDL_SCANCODE_O, 'O', 0x18, false, 0},
    {SDL_SCANCODE_P, 'P', 0x19, false, 0},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A, false, 0},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B, false, 0},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false, 0},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D, false, 0},
    {SDL_SCANCODE_A, 'A', 0x1E, false, 0},
    {SDL_SCANCODE_S, 'S', 0x1F, false, 0},
    {SDL_SCANCODE_D, 'D', 0x20, false, 0},
    {SDL_SCANCODE_F, 'F', 0x21, false, 0},
    {SDL_SCANCODE_G, 'G', 0x22, false, 0},
    {SDL_SCANCODE_H, 'H', 0x23, false, 0},
    {SDL_SCANCODE_J, 'J', 0x24, false, 0},
    {SDL_SCANCODE_K, 'K', 0x25, false, 0},
    {SDL_SCANCODE_L, 'L', 0x26, false, 0},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, false, 0},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28, false, 0},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29, false, 0},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A, false, 0},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B, false, 0},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5, 0x2B, false, 0},  // the same key on ISO boards
    {SDL_SCANCODE_Z, 'Z', 0x2C, false, 0},
    {SDL_SCANCODE_X, 'X', 0x2D, false, 0},
    {SDL_SCANCODE_C, 'C', 0x2E, false, 0},
    {SDL_SCANCODE_V, 'V', 0x2F, false, 0},
    {SDL_SCANCODE_B, 'B', 0x30, false, 0},
    {SDL_SCANCODE_N, 'N', 0x31, false, 0},
    {SDL_SCANCODE_M, 'M', 0x32, false, 0},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33, false, 0},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34, false, 0},
    {SDL_SCANCODE_SLASH, VK_OEM_2, 0x35, false, 0},
    // Windows reports both Shift keys as VK_SHIFT without the extended flag;
    // only the scan code tells them apart.
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36, false, 0},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37, false, 0},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38, false, 0},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false, 0},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A, false, 0},
    {SDL_SCANCODE_F1, VK_F1 + 0, 0x3B, false, 0},
    {SDL_SCANCODE_F2, VK_F1 + 1, 0x3C, false, 0},
    {SDL_SCANCODE_F3, VK_F1 + 2, 0x3D, false, 0},
    {SDL_SCANCODE_F4, VK_F1 + 3, 0x3E, false, 0},
    {SDL_SCANCODE_F5, VK_F1 + 4, 0x3F, false, 0},
    {SDL_SCANCODE_F6, VK_F1 + 5, 0x40, false, 0},
    {SDL_SCANCODE_F7, VK_F1 + 6, 0x41, false, 0},
    {SDL_SCANCODE_F8, VK_F1 + 7, 0x42, false, 0},
    {SDL_SCANCODE_F9, VK_F1 + 8, 0x43, false, 0},
    {SDL_SCANCODE_F10, VK_F1 + 9, 0x44, false, 0},
    {SDL_SCANCODE_F11, VK_F1 + 10, 0x57, false, 0},
    {SDL_SCANCODE_F12, VK_F1 + 11, 0x58, false, 0},
    {SDL_SCANCODE_F13, VK_F13 + 0, 0x64, false, 0},
    {SDL_SCANCODE_F14, VK_F13 + 1, 0x65, false, 0},
    {SDL_SCANCODE_F15, VK_F13 + 2, 0x66, false, 0},
    {SDL_SCANCODE_F16, VK_F13 + 3, 0x67, false, 0},
    {SDL_SCANCODE_F17, VK_F13 + 4, 0x68, false, 0},
    {SDL_SCANCODE_F18, VK_F13 + 5, 0x69, false, 0},
    {SDL_SCANCODE_F19, VK_F13 + 6, 0x6A, false, 0},
    {SDL_SCANCODE_F20, VK_F13 + 7, 0x6B, false, 0},
    {SDL_SCANCODE_F21, VK_F13 + 8, 0x6C, false, 0},
    {SDL_SCANCODE_F22, VK_F13 + 9, 0x6D, false, 0},
    {SDL_SCANCODE_F23, VK_F13 + 10, 0x6E, false, 0},
    {SDL_SCANCODE_F24, VK_F13 + 11, 0x76, false, 0},
    // Pause sends the scan code of Num Lock, and Num Lock is the extended one.
    {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false, 0},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true, 0},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46, false, 0},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, 0x47, false, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, 0x48, false, VK_UP},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, 0x49, false, VK_PRIOR},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A, false, 0},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, 0x4B, false, VK_LEFT},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, 0x4C, false, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, 0x4D, false, VK_RIGHT},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E, false, 0},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, 0x4F, false, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, 0x50, false, VK_DOWN},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, 0x51, false, VK_NEXT},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, 0x52, false, VK_INSERT},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, 0x53, false, VK_DELETE},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, 0x56, false, 0},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true, 0},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x1D, true, 0},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true, 0},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x37, true, 0},
    {SDL_SCANCODE_RALT, VK_MENU, 0x38, true, 0},
    {SDL_SCANCODE_HOME, VK_HOME, 0x47, true, 0},
    {SDL_SCANCODE_UP, VK_UP, 0x48, true, 0},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true, 0},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true, 0},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true, 0},
    {SDL_SCANCODE_END, VK_END, 0x4F, true, 0},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true, 0},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true, 0},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true, 0},
    {SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true, 0},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true, 0},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true, 0},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true, 0},
};

bool is_letter(SDL_Keycode keycode) { return keycode >= SDLK_a && keycode <= SDLK_z; }

}  // namespace

windows_key windows_key_for(SDL_Scancode scancode, SDL_Keycode keycode, std::uint16_t mod) {
  const auto row = std::find_if(std::begin(keys), std::end(keys),
                                [scancode](const key_row& k) { return k.scancode == scancode; });
  if (row == std::end(keys)) return {};
  windows_key key{row->virtual_key, row->scan_code, row->extended};
  if (row->without_num_lock && !(mod & KMOD_NUM)) key.virtual_key = row->without_num_lock;
  // Windows gives a letter's virtual key to wherever the layout puts the
  // letter (Q on a French keyboard is where a US one has A).
  if (is_letter(keycode)) key.virtual_key = static_cast<std::uint32_t>(keycode - SDLK_a + 'A');
  return key;
}

char16_t control_character(std::uint32_t virtual_key, std::uint16_t mod) {
  const bool ctrl = mod & KMOD_CTRL;
  // Ctrl with Alt is AltGr on many layouts: whatever it types comes from SDL.
  if (ctrl && (mod & KMOD_ALT)) return 0;
  switch (virtual_key) {
    case VK_RETURN:
      return ctrl ? u'\n' : u'\r';
    case VK_BACK:
      return ctrl ? u'\x7f' : u'\b';
    case VK_TAB:
      return ctrl ? 0 : u'\t';
    case VK_ESCAPE:
      return u'\x1b';
  }
  if (ctrl && virtual_key >= 'A' && virtual_key <= 'Z') return static_cast<char16_t>(virtual_key - 'A' + 1);
  return 0;
}

}  // namespace portable
