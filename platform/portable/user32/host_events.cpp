#include "platform/portable/user32/host_events.h"

#include "platform/portable/user32/input.h"
#include "platform/portable/user32/key_message.h"
#include "platform/portable/user32/message_queue.h"
#include "platform/portable/user32/update_region.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window_placement.h"

namespace portable {
namespace {

POINT cursor_now() {
  std::int32_t x = 0, y = 0;
  current_host().cursor_position(x, y);
  return POINT{x, y};
}

// Windows reports both Shift keys as VK_SHIFT (told apart by scan code), and
// both Ctrl and Alt keys as VK_CONTROL and VK_MENU (the right ones extended). A
// host may name the side; the message carries what Windows would send.
void make_generic(std::uint32_t& virtual_key, std::uint32_t& scan_code, bool& extended) {
  switch (virtual_key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      if (scan_code == 0)
        scan_code =
            virtual_key == VK_RSHIFT ? key_lparam::right_shift_scan_code : key_lparam::left_shift_scan_code;
      virtual_key = VK_SHIFT;
      break;
    case VK_LCONTROL:
    case VK_RCONTROL:
      extended = virtual_key == VK_RCONTROL;
      virtual_key = VK_CONTROL;
      break;
    case VK_LMENU:
    case VK_RMENU:
      extended = virtual_key == VK_RMENU;
      virtual_key = VK_MENU;
      break;
  }
}

// WM_KEYDOWN and friends, with lParam as Windows builds it: repeat count 1 in
// bits 0-15, the scan code in 16-23, the extended flag in 24, Alt held in 29
// (Alt going up no longer is), the key's previous state in 30 and the
// transition (1: going up) in 31.
void deliver_key(window& w, const host_event& event) {
  std::uint32_t virtual_key = event.key.virtual_key, scan_code = event.key.scan_code;
  bool extended = event.key.extended;
  make_generic(virtual_key, scan_code, extended);
  const bool alt_key = virtual_key == VK_MENU;
  const bool system = event.key.alt || alt_key || virtual_key == VK_F10;
  const bool down = event.key.down;
  const bool was_down = !down || event.key.repeat;
  const bool alt_held = event.key.alt || (alt_key && down);
  using namespace key_lparam;
  const DWORD lparam = repeat_count_one | (scan_code & scan_code_mask) << scan_code_shift |
                       (extended ? extended_bit : 0) | (alt_held ? alt_held_bit : 0) |
                       (was_down ? previous_state_bit : 0) | (down ? 0 : transition_bit);
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  const MSG msg{w.handle, message, virtual_key, static_cast<LPARAM>(lparam), message_time(), cursor_now()};
  user_process().keys_now.apply(msg, event.key.locks);
  queue_input({msg, {}, event.key.locks});
}

// What a key typed belongs to its key-down, for TranslateMessage; text that
// follows no key-down (an input method's, say) arrives as characters at once.
void deliver_text(window& w, const host_event& event) {
  queued_message* last = last_input();
  if (last && last->msg.hwnd == w.handle &&
      (last->msg.message == WM_KEYDOWN || last->msg.message == WM_SYSKEYDOWN)) {
    last->typed_text += event.text;
    return;
  }
  for (char16_t unit : event.text)
    queue_input({MSG{w.handle, WM_CHAR, unit, 1, message_time(), cursor_now()}, {}, std::nullopt});
}

UINT button_message(std::int32_t button, bool down) {
  switch (button) {
    case 1:
      return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case 2:
      return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
      return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

// Mouse messages carry client coordinates (the wheel's screen coordinates) and
// the buttons and modifiers down after the event. As on Windows, moves that
// wait in the queue merge into the latest.
void deliver_mouse(window& w, const host_event& event) {
  const POINT origin = w.client_origin();
  MSG msg{w.handle,
          WM_MOUSEMOVE,
          0,
          MAKELPARAM(event.mouse.x, event.mouse.y),
          message_time(),
          POINT{origin.x + event.mouse.x, origin.y + event.mouse.y}};
  key_state& keys = user_process().keys_now;
  switch (event.type) {
    case host_event::kind::button:
      msg.message = button_message(event.mouse.button, event.mouse.down);
      keys.apply(msg, std::nullopt);
      break;
    case host_event::kind::wheel:
      msg.message = WM_MOUSEWHEEL;
      msg.pt = POINT{event.mouse.x, event.mouse.y};
      break;
    default:
      break;
  }
  msg.wParam = keys.mouse_flags();
  if (event.type == host_event::kind::wheel)
    msg.wParam =
        MAKEWPARAM(msg.wParam, static_cast<WORD>(static_cast<std::int16_t>(event.mouse.wheel_delta)));
  queued_message* last = last_input();
  if (msg.message == WM_MOUSEMOVE && last && last->msg.message == WM_MOUSEMOVE && last->msg.hwnd == w.handle)
    last->msg = msg;
  else
    queue_input({msg, {}, std::nullopt});
}

}  // namespace

void deliver_host_event(const host_event& event) {
  if (event.type == host_event::kind::close_requested && event.window == 0) {
    for (HWND each : user_process().windows.handles()) post_message(each, WM_CLOSE, 0, 0);
    return;
  }
  window* w = user_process().windows.find_native(event.window);
  if (!w) return;  // a window destroyed since
  switch (event.type) {
    case host_event::kind::close_requested:
      post_message(w->handle, WM_CLOSE, 0, 0);
      break;
    case host_event::kind::key:
      deliver_key(*w, event);
      break;
    case host_event::kind::text:
      deliver_text(*w, event);
      break;
    case host_event::kind::mouse_move:
    case host_event::kind::button:
    case host_event::kind::wheel:
      deliver_mouse(*w, event);
      break;
    case host_event::kind::resized:
      client_resized(w->handle, event.placement.width, event.placement.height);
      break;
    case host_event::kind::moved:
      client_moved(w->handle, event.placement.x, event.placement.y);
      break;
    case host_event::kind::minimized:
    case host_event::kind::restored:
      set_minimized(w->handle, event.type == host_event::kind::minimized);
      break;
    case host_event::kind::exposed:
      w->mark_drawn(region(w->client_rect()));
      break;
  }
}

}  // namespace portable
