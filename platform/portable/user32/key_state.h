// The state of the keys and mouse buttons as input messages leave it, in
// GetKeyState's form: per virtual key, 0x80 down and 0x01 toggled.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/portable/user32/user.h"

namespace portable {

class key_state {
 public:
  // Takes in a key or mouse-button message; `locks` (host_event's lock bits)
  // sets the toggles of Num Lock, Caps Lock and Scroll Lock.
  void apply(const MSG& msg, std::optional<std::uint32_t> locks);
  bool down(int virtual_key) const;
  // GetKeyState's value: negative when down, the low bit when toggled.
  SHORT value(int virtual_key) const;
  // The MK_ flags of a mouse message's wParam.
  WPARAM mouse_flags() const;

 private:
  void set(int virtual_key, bool is_down);
  std::array<BYTE, 256> keys{};
};

// Which of the left and right keys a key message is about: VK_LSHIFT or
// VK_RSHIFT for VK_SHIFT (by scan code), VK_LCONTROL or VK_RCONTROL and VK_LMENU
// or VK_RMENU (by the extended flag); other keys are themselves.
int sided_key(WPARAM virtual_key, LPARAM lparam);

}  // namespace portable
