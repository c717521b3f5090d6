// The lparam of a keyboard message, laid out as Windows does, and the scan codes
// that tell the two Shift keys apart.
#pragma once

#include "platform/portable/kernel32/types.h"

namespace portable::key_lparam {

constexpr DWORD repeat_count_one = 1;  // bits 0-15: the subset never merges repeats
constexpr int scan_code_shift = 16;    // the scan code is bits 16-23
constexpr DWORD scan_code_mask = 0xFF;
constexpr DWORD extended_bit = 1u << 24;
constexpr DWORD alt_held_bit = 1u << 29;
constexpr DWORD previous_state_bit = 1u << 30;  // the key was down before
constexpr DWORD transition_bit = 1u << 31;      // set while the key goes up

constexpr DWORD left_shift_scan_code = 0x2A;
constexpr DWORD right_shift_scan_code = 0x36;

inline DWORD scan_code(LPARAM lparam) {
  return static_cast<DWORD>(lparam) >> scan_code_shift & scan_code_mask;
}

}  // namespace portable::key_lparam
