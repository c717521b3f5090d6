// Key translation: the codes the framework hands the application for a key
// instead of the platform's virtual keys. A position code says where the key is
// on the keyboard, a key code what it means; character keys give their US-layout
// character, other keys values past the Unicode range (0x110000 + n for
// positions, 0x120000 + n for meanings). Unknown keys give 0.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace modifier {
constexpr std::int32_t shift = 0x1;
constexpr std::int32_t ctrl = 0x2;
constexpr std::int32_t alt = 0x4;
constexpr std::int32_t left_shift = 0x10;
constexpr std::int32_t left_ctrl = 0x20;
constexpr std::int32_t left_alt = 0x40;
constexpr std::int32_t right_shift = 0x100;
constexpr std::int32_t right_ctrl = 0x200;
constexpr std::int32_t right_alt = 0x400;
constexpr std::int32_t num_lock_down = 0x1000;
constexpr std::int32_t num_lock_on = 0x2000;
constexpr std::int32_t caps_lock_down = 0x4000;
constexpr std::int32_t caps_lock_on = 0x8000;
constexpr std::int32_t scroll_lock_down = 0x10000;
constexpr std::int32_t scroll_lock_on = 0x20000;
}  // namespace modifier

namespace key {
constexpr std::int32_t escape = 0x120001;
constexpr std::int32_t f1 = 0x120017;
constexpr std::int32_t left_shift_position = 0x110020;
constexpr std::int32_t right_shift_position = 0x110021;
}  // namespace key

// Where a key message's lparam keeps what the framework reads.
namespace key_bits {
constexpr int scan_code_shift = 16;  // the scan code is bits 16 to 23
constexpr LPARAM scan_code_mask = 0xFF;
constexpr int extended_shift = 24;        // 1: an extended key (the right Ctrl, the arrows...)
constexpr int previous_state_shift = 30;  // 1: the key was already down
}  // namespace key_bits

// The modifier and lock keys' bits from the platform's current key states.
std::int32_t refresh_modifier_flags();

// Where the key of a key message is: looked up by virtual key and the extended
// flag. The platform reports both Shift keys with the same virtual key and no
// extended flag; their scan codes tell them apart. Without a Shift scan code (synthesised input), the Shift
// keys' own state bits in `modifier_flags` decide, which only works while one
// Shift alone is down.
std::int32_t position_code(WPARAM virtual_key, LPARAM lparam, std::int32_t modifier_flags);

// What the key means, by virtual key alone.
std::int32_t key_code(WPARAM virtual_key);
