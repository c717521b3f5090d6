#include <algorithm>
#include <cmath>

#include "platform/portable/hosts/sdl/sdl_host.h"
#include "platform/portable/hosts/sdl/sdl_keys.h"
#include "platform/portable/seam/utf.h"

namespace portable {

bool sdl_host::take_sdl_event(SDL_Event& e) {
  // Reading the display connection takes SDL a dozen system calls, and the
  // subset asks for events several times in each turn of a program's loop. So
  // SDL reads it when a wait has seen the server send something, and otherwise
  // only now and then: every 50 ms for a program that never waits. A wait on
  // the connection that ended with nothing sent counts as a read, so a program
  // that waits has SDL read it only for SDL's own work: a focus change it holds
  // back for a moment, or a signal that came while the program was busy (one
  // that comes during a wait ends it), every 100 ms.
  constexpr Uint64 read_at_least_every_ms = 50;
  constexpr Uint64 pump_at_least_every_ms = 100;
  const Uint64 now = SDL_GetTicks64();
  const Uint64 last_read_ms = std::max(last_pump_ms, last_quiet_wait_ms);
  if (server_sent || now - last_read_ms >= read_at_least_every_ms ||
      now - last_pump_ms >= pump_at_least_every_ms) {
    SDL_PumpEvents();
    server_sent = false;
    last_pump_ms = now;
  }
  return SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1;
}

bool sdl_host::next_event(host_event& event) {
  SDL_Event e;
  while (pending.empty() && take_sdl_event(e)) translate(e);
  if (pending.empty()) return false;
  event = std::move(pending.front());
  pending.pop_front();
  return true;
}

void sdl_host::translate(const SDL_Event& e) {
  host_event out;
  switch (e.type) {
    case SDL_QUIT:
      out.type = host_event::kind::close_requested;  // window 0: all of them
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      translate_key(e.key);
      return;
    case SDL_TEXTINPUT:
      out.type = host_event::kind::text;
      out.window = e.text.windowID;
      out.text = utf16_from_utf8(e.text.text);
      break;
    case SDL_MOUSEMOTION:
      out.type = host_event::kind::mouse_move;
      out.window = e.motion.windowID;
      out.mouse.x = e.motion.x;
      out.mouse.y = e.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      switch (e.button.button) {
        case SDL_BUTTON_LEFT:
          out.mouse.button = 0;
          break;
        case SDL_BUTTON_RIGHT:
          out.mouse.button = 1;
          break;
        case SDL_BUTTON_MIDDLE:
          out.mouse.button = 2;
          break;
        default:
          return;  // the side buttons have no message here
      }
      out.type = host_event::kind::button;
      out.window = e.button.windowID;
      out.mouse.x = e.button.x;
      out.mouse.y = e.button.y;
      out.mouse.down = e.type == SDL_MOUSEBUTTONDOWN;
      break;
    case SDL_MOUSEWHEEL: {
      // Windows counts 120 per notch and gives the cursor in screen pixels.
      out.mouse.wheel_delta = static_cast<std::int32_t>(std::lround(e.wheel.preciseY * 120.0f));
      if (out.mouse.wheel_delta == 0) return;  // sideways only
      out.type = host_event::kind::wheel;
      out.window = e.wheel.windowID;
      if (const window_state* s = find(e.wheel.windowID)) {
        out.mouse.x = s->reported.x + e.wheel.mouseX;
        out.mouse.y = s->reported.y + e.wheel.mouseY;
      } else {
        cursor_position(out.mouse.x, out.mouse.y);
      }
      break;
    }
    case SDL_WINDOWEVENT:
      translate_window_event(e.window);
      return;
    case SDL_SYSWMEVENT:
      // Each output reads what concerns its own window.
      for (const auto& [id, s] : windows)
        if (s.native && s.native->must_present_again(e)) {
          host_event exposed;
          exposed.type = host_event::kind::exposed;
          exposed.window = id;
          pending.push_back(std::move(exposed));
        }
      return;
    default:
      return;
  }
  pending.push_back(std::move(out));
}

void sdl_host::translate_key(const SDL_KeyboardEvent& e) {
  const std::uint16_t mod = e.keysym.mod;  // SDL's modifier state as this key was handled
  const windows_key key = windows_key_for(e.keysym.scancode, e.keysym.sym, mod);
  if (!key.virtual_key) return;  // no such key on Windows
  const bool down = e.type == SDL_KEYDOWN;
  const bool alt_key = e.keysym.scancode == SDL_SCANCODE_LALT || e.keysym.scancode == SDL_SCANCODE_RALT;
  host_event out;
  out.type = host_event::kind::key;
  out.window = e.windowID;
  out.key.virtual_key = key.virtual_key;
  out.key.scan_code = key.scan_code;
  out.key.extended = key.extended;
  out.key.down = down;
  out.key.repeat = e.repeat != 0;
  // Windows' system-key rule: Alt held and Ctrl not. SDL has already dropped
  // Alt from the state when the Alt key itself comes up; Windows has not.
  out.key.alt = ((mod & KMOD_ALT) || alt_key) && !(mod & KMOD_CTRL);
  out.key.locks = ((mod & KMOD_NUM) ? host_event::num_lock : 0) |
                  ((mod & KMOD_CAPS) ? host_event::caps_lock : 0) |
                  ((mod & KMOD_SCROLL) ? host_event::scroll_lock : 0);
  pending.push_back(out);
  if (!down) return;
  // SDL types no text for these; Windows does, right after the key.
  if (const char16_t c = control_character(key.virtual_key, mod)) {
    host_event typed;
    typed.type = host_event::kind::text;
    typed.window = e.windowID;
    typed.text.assign(1, c);
    pending.push_back(std::move(typed));
  }
}

void sdl_host::translate_window_event(const SDL_WindowEvent& e) {
  window_state* s = find(e.windowID);
  if (!s) return;  // destroyed while its events were queued
  host_event out;
  out.window = e.windowID;
  switch (e.event) {
    case SDL_WINDOWEVENT_MOVED: {
      const SDL_Point o = origin();
      report_placement(e.windowID, *s, SDL_Rect{e.data1 - o.x, e.data2 - o.y, s->reported.w, s->reported.h});
      return;
    }
    case SDL_WINDOWEVENT_RESIZED:  // from outside; SIZE_CHANGED follows every change
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      report_placement(e.windowID, *s, SDL_Rect{s->reported.x, s->reported.y, e.data1, e.data2});
      return;
    case SDL_WINDOWEVENT_MINIMIZED:
      s->minimized = true;
      out.type = host_event::kind::minimized;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      // Restoring from maximised is only a size change.
      if (!s->minimized) return;
      s->minimized = false;
      out.type = host_event::kind::restored;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      out.type = host_event::kind::exposed;
      break;
    case SDL_WINDOWEVENT_CLOSE:
      out.type = host_event::kind::close_requested;
      break;
    default:
      return;
  }
  pending.push_back(std::move(out));
}

void sdl_host::report_placement(native_window w, window_state& s, const SDL_Rect& now) {
  const auto tell = [&](host_event::kind kind) {
    host_event out;
    out.type = kind;
    out.window = w;
    out.placement = {now.x, now.y, now.w, now.h};
    pending.push_back(std::move(out));
  };
  if (now.x != s.reported.x || now.y != s.reported.y) tell(host_event::kind::moved);
  if (now.w != s.reported.w || now.h != s.reported.h) tell(host_event::kind::resized);
  s.reported = now;
}

}  // namespace portable
