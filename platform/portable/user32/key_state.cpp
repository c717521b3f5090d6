#include "platform/portable/user32/key_state.h"

#include "platform/portable/seam/host.h"
#include "platform/portable/user32/input.h"
#include "platform/portable/user32/key_message.h"

namespace portable {
namespace {

constexpr BYTE down_bit = 0x80;
constexpr BYTE toggled_bit = 0x01;

// The keys Windows reports under one virtual key and tells apart by side.
struct sided_pair {
  int generic, left, right;
};
constexpr sided_pair sided_pairs[] = {
    {VK_SHIFT, VK_LSHIFT, VK_RSHIFT}, {VK_CONTROL, VK_LCONTROL, VK_RCONTROL}, {VK_MENU, VK_LMENU, VK_RMENU}};

const sided_pair* pair_of(int sided) {
  for (const sided_pair& p : sided_pairs)
    if (p.left == sided || p.right == sided) return &p;
  return nullptr;
}

}  // namespace

int sided_key(WPARAM virtual_key, LPARAM lparam) {
  const auto bits = static_cast<DWORD>(lparam);
  switch (virtual_key) {
    case VK_SHIFT:
      return key_lparam::scan_code(lparam) == key_lparam::right_shift_scan_code ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
      return bits & key_lparam::extended_bit ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
      return bits & key_lparam::extended_bit ? VK_RMENU : VK_LMENU;
    default:
      return static_cast<int>(virtual_key & 0xFF);
  }
}

void key_state::set(int virtual_key, bool is_down) {
  keys[virtual_key] = is_down ? keys[virtual_key] | down_bit : keys[virtual_key] & ~down_bit;
  if (const sided_pair* pair = pair_of(virtual_key)) {
    const bool either_down = down(pair->left) || down(pair->right);
    keys[pair->generic] = either_down ? keys[pair->generic] | down_bit : keys[pair->generic] & ~down_bit;
  }
}

void key_state::apply(const MSG& msg, std::optional<std::uint32_t> locks) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const int key = sided_key(msg.wParam, msg.lParam);
      if (!(static_cast<DWORD>(msg.lParam) & key_lparam::previous_state_bit)) {
        keys[key] ^= toggled_bit;
        if (const sided_pair* pair = pair_of(key)) keys[pair->generic] ^= toggled_bit;
      }
      set(key, true);
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      set(sided_key(msg.wParam, msg.lParam), false);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      set(VK_LBUTTON, msg.message == WM_LBUTTONDOWN);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      set(VK_RBUTTON, msg.message == WM_RBUTTONDOWN);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      set(VK_MBUTTON, msg.message == WM_MBUTTONDOWN);
      break;
  }
  if (!locks) return;
  const std::pair<int, std::uint32_t> lock_keys[] = {{VK_NUMLOCK, host_event::num_lock},
                                                     {VK_CAPITAL, host_event::caps_lock},
                                                     {VK_SCROLL, host_event::scroll_lock}};
  for (const auto& [key, bit] : lock_keys)
    keys[key] = *locks & bit ? keys[key] | toggled_bit : keys[key] & ~toggled_bit;
}

bool key_state::down(int virtual_key) const {
  return virtual_key >= 0 && virtual_key < 256 && (keys[virtual_key] & down_bit);
}

SHORT key_state::value(int virtual_key) const {
  if (virtual_key < 0 || virtual_key >= 256) return 0;
  // Windows widens the byte with its sign: down reads as 0xFF80.
  return static_cast<SHORT>(static_cast<signed char>(keys[virtual_key] & (down_bit | toggled_bit)));
}

WPARAM key_state::mouse_flags() const {
  return (down(VK_LBUTTON) ? MK_LBUTTON : 0) | (down(VK_RBUTTON) ? MK_RBUTTON : 0) |
         (down(VK_MBUTTON) ? MK_MBUTTON : 0) | (down(VK_SHIFT) ? MK_SHIFT : 0) |
         (down(VK_CONTROL) ? MK_CONTROL : 0);
}

}  // namespace portable
