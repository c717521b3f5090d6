#include "framework/key_translation.h"

#include <array>

namespace {

constexpr std::int32_t position(int n) { return 0x110000 + n; }
constexpr std::int32_t meaning(int n) { return 0x120000 + n; }

// One row per key that is not simply the character it bears.
struct key_row {
  int virtual_key;
  std::int32_t position_plain;     // without the extended flag
  std::int32_t position_extended;  // with it
  std::int32_t key_code;
};

constexpr key_row special_keys[] = {
    {VK_BACK, position(0x1C), 0, meaning(0x02)},
    {VK_TAB, position(0x1D), 0, meaning(0x03)},
    {VK_CLEAR, position(0x3B), 0, meaning(0x08)},
    {VK_RETURN, position(0x1F), position(0x42), meaning(0x00)},
    {VK_SHIFT, position(0x20), position(0x21), meaning(0x0F)},
    {VK_CONTROL, position(0x22), position(0x27), meaning(0x10)},
    {VK_MENU, position(0x23), position(0x26), meaning(0x11)},
    {VK_PAUSE, position(0x1B), 0, meaning(0x16)},
    {VK_CAPITAL, position(0x1E), 0, meaning(0x12)},
    {VK_ESCAPE, position(0x00), 0, meaning(0x01)},
    {VK_SPACE, ' ', 0, ' '},
    // The navigation block has positions of its own when extended; without the
    // flag these are the keypad keys with Num Lock off.
    {VK_PRIOR, position(0x38), position(0x2A), meaning(0x0B)},
    {VK_NEXT, position(0x3F), position(0x2D), meaning(0x0C)},
    {VK_END, position(0x3D), position(0x2C), meaning(0x0A)},
    {VK_HOME, position(0x36), position(0x29), meaning(0x09)},
    {VK_LEFT, position(0x3A), position(0x2F), meaning(0x05)},
    {VK_UP, position(0x37), position(0x2E), meaning(0x04)},
    {VK_RIGHT, position(0x3C), position(0x31), meaning(0x07)},
    {VK_DOWN, position(0x3E), position(0x30), meaning(0x06)},
    {VK_SNAPSHOT, 0, position(0x19), meaning(0x15)},
    {VK_INSERT, position(0x40), position(0x28), meaning(0x0D)},
    {VK_DELETE, position(0x41), position(0x2B), meaning(0x0E)},
    {VK_MULTIPLY, position(0x34), 0, meaning(0x2F)},
    {VK_ADD, position(0x39), 0, meaning(0x30)},
    {VK_SUBTRACT, position(0x35), 0, meaning(0x31)},
    {VK_DECIMAL, position(0x41), 0, meaning(0x32)},
    {VK_DIVIDE, 0, position(0x33), meaning(0x33)},
    {VK_NUMLOCK, 0, position(0x32), meaning(0x13)},
    {VK_SCROLL, position(0x1A), 0, meaning(0x14)},
};

// The punctuation keys of a US layout, by their OEM virtual keys.
constexpr std::pair<int, char> punctuation_keys[] = {
    {VK_OEM_1, ';'},      {VK_OEM_PLUS, '='}, {VK_OEM_COMMA, ','}, {VK_OEM_MINUS, '-'},
    {VK_OEM_PERIOD, '.'}, {VK_OEM_2, '/'},    {VK_OEM_3, '`'},     {VK_OEM_4, '['},
    {VK_OEM_5, '\\'},     {VK_OEM_6, ']'},    {VK_OEM_7, '\''},
};

// Positions of keypad 0..9, in digit order.
constexpr std::int32_t keypad_positions[10] = {
    position(0x40), position(0x3D), position(0x3E), position(0x3F), position(0x3A),
    position(0x3B), position(0x3C), position(0x36), position(0x37), position(0x38),
};

struct tables {
  std::array<std::int32_t, 512> positions{};  // virtual key, + 256 when extended
  std::array<std::int32_t, 256> keys{};
};

constexpr tables build_tables() {
  tables t;
  auto character_key = [&t](int virtual_key, std::int32_t character) {
    t.positions[virtual_key] = character;
    t.keys[virtual_key] = character;
  };
  for (int c = '0'; c <= '9'; ++c) character_key(c, c);
  for (int c = 'A'; c <= 'Z'; ++c) character_key(c, c);
  for (const auto& [virtual_key, character] : punctuation_keys) character_key(virtual_key, character);
  for (const key_row& row : special_keys) {
    t.positions[row.virtual_key] = row.position_plain;
    t.positions[256 + row.virtual_key] = row.position_extended;
    t.keys[row.virtual_key] = row.key_code;
  }
  for (int digit = 0; digit < 10; ++digit) {
    t.positions[VK_NUMPAD0 + digit] = keypad_positions[digit];
    t.keys[VK_NUMPAD0 + digit] = '0' + digit;
  }
  for (int n = 0; n < 24; ++n) {
    t.positions[VK_F1 + n] = position(0x01 + n);
    t.keys[VK_F1 + n] = meaning(0x17 + n);
  }
  return t;
}

constexpr tables key_tables = build_tables();

// The Shift keys' scan codes (set 1), the same on every layout.
constexpr std::uint32_t left_shift_scan_code = 0x2A;
constexpr std::uint32_t right_shift_scan_code = 0x36;

// The modifier bits in bit order, each with the key it reads and whether it
// asks for the key being down or its lock being on.
struct modifier_row {
  std::int32_t bit;
  int virtual_key;
  SHORT test;
};
constexpr SHORT down = static_cast<SHORT>(0x8000);
constexpr SHORT on = 0x0001;
constexpr modifier_row modifier_rows[] = {
    {modifier::shift, VK_SHIFT, down},
    {modifier::ctrl, VK_CONTROL, down},
    {modifier::alt, VK_MENU, down},
    {modifier::left_shift, VK_LSHIFT, down},
    {modifier::left_ctrl, VK_LCONTROL, down},
    {modifier::left_alt, VK_LMENU, down},
    {modifier::right_shift, VK_RSHIFT, down},
    {modifier::right_ctrl, VK_RCONTROL, down},
    {modifier::right_alt, VK_RMENU, down},
    {modifier::num_lock_down, VK_NUMLOCK, down},
    {modifier::num_lock_on, VK_NUMLOCK, on},
    {modifier::caps_lock_down, VK_CAPITAL, down},
    {modifier::caps_lock_on, VK_CAPITAL, on},
    {modifier::scroll_lock_down, VK_SCROLL, down},
    {modifier::scroll_lock_on, VK_SCROLL, on},
};

}  // namespace

std::int32_t refresh_modifier_flags() {
  std::int32_t flags = 0;
  for (const modifier_row& row : modifier_rows) {
    if (GetKeyState(row.virtual_key) & row.test) flags |= row.bit;
  }
  return flags;
}

std::int32_t position_code(WPARAM virtual_key, LPARAM lparam, std::int32_t modifier_flags) {
  if (virtual_key > 255) return 0;
  const bool extended = (lparam >> key_bits::extended_shift) & 1;
  std::int32_t code = key_tables.positions[virtual_key + (extended ? 256 : 0)];
  if (code != key::left_shift_position && code != key::right_shift_position) return code;
  const auto scan_code =
      static_cast<std::uint32_t>((lparam >> key_bits::scan_code_shift) & key_bits::scan_code_mask);
  if (scan_code == right_shift_scan_code) return key::right_shift_position;
  if (scan_code == left_shift_scan_code) return key::left_shift_position;
  const bool left = modifier_flags & modifier::left_shift;
  const bool right = modifier_flags & modifier::right_shift;
  if (right && !left) return key::right_shift_position;
  if (left && !right) return key::left_shift_position;
  return code;
}

std::int32_t key_code(WPARAM virtual_key) { return virtual_key > 255 ? 0 : key_tables.keys[virtual_key]; }
