#include "platform/portable/sdl/sdl_host.h"

#include <algorithm>
#include <climits>

#include "platform/portable/sdl/sdl_capture.h"

namespace portable {

std::unique_ptr<host> open_default_host(std::string& error) { return sdl_host::open(error); }

std::unique_ptr<sdl_host> sdl_host::open(std::string& error) {
  // Through OpenGL on a software renderer the window surface costs three more
  // threads and four to five times the time.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    error = std::string("cannot start SDL: ") + SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<sdl_host>(new sdl_host);
}

sdl_host::~sdl_host() { SDL_Quit(); }

std::int64_t sdl_host::counter() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

std::int64_t sdl_host::counter_frequency() {
  return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
}

host::wake sdl_host::wait_for_input(std::int64_t timeout_ms) {
  if (held) return wake::input;
  SDL_Event e;
  const int found =
      timeout_ms < 0 ? SDL_WaitEvent(&e)
                     : SDL_WaitEventTimeout(&e, static_cast<int>(std::min<std::int64_t>(timeout_ms, INT_MAX)));
  if (found) {
    held = e;
    return wake::input;
  }
  // SDL returns 0 both on a timeout and on an error: an unlimited wait can only
  // have failed.
  return timeout_ms < 0 ? wake::failed : wake::timeout;
}

void sdl_host::sleep(std::uint32_t ms) { SDL_Delay(ms); }

bool sdl_host::take_sdl_event(SDL_Event& e) {
  if (!held) return SDL_PollEvent(&e) != 0;
  e = *held;
  held.reset();
  return true;
}

bool sdl_host::next_event(host_event& event) {
  SDL_Event e;
  while (take_sdl_event(e)) {
    if (e.type == SDL_QUIT) {
      event.type = host_event::kind::close_requested;
      return true;
    }
  }
  return false;
}

// Windows, monitors and capture arrive with the window and audio work; until
// then the host has none of them and says so.
native_window sdl_host::create_window(const window_spec&, std::string& error) {
  error = "the SDL2 host cannot make windows yet";
  return 0;
}
void sdl_host::destroy_window(native_window) {}
void sdl_host::set_title(native_window, const std::string&) {}
void sdl_host::show_window(native_window, bool) {}
void sdl_host::place_window(native_window, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void sdl_host::set_full_screen(native_window, bool) {}
void sdl_host::present(native_window, const std::uint32_t*, std::int32_t, std::int32_t, std::int32_t,
                       const screen_rect&) {}
screen_rect sdl_host::frame_extents() { return {}; }
std::vector<monitor_info> sdl_host::monitors() { return {monitor_info{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true, "SDL"}}; }
void sdl_host::cursor_position(std::int32_t& x, std::int32_t& y) { x = y = 0; }
std::unique_ptr<audio_capture> sdl_host::open_capture(std::int32_t rate, std::int32_t channels,
                                                      std::string& error) {
  return open_sdl_capture(rate, channels, error);
}

void sdl_host::set_cursor_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

bool sdl_host::message_box(const std::string& title_utf8, const std::string& text_utf8) {
  // Fails at once where no message system exists (no display, dummy driver).
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title_utf8.c_str(), text_utf8.c_str(), nullptr) == 0;
}

}  // namespace portable
