#include "platform/portable/sdl/sdl_host.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/portable/sdl/sdl_capture.h"
#include "platform/portable/sdl/x11_errors.h"

namespace portable {

std::unique_ptr<host> open_default_host(std::string& error) { return sdl_host::open(error); }

std::unique_ptr<sdl_host> sdl_host::open(std::string& error) {
  // Through OpenGL on a software renderer the window surface costs three more
  // threads and four to five times the time.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Closing the last window would otherwise also raise SDL_QUIT, and the
  // program would be asked twice to close the one window.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A Windows program leaves the screen saver alone unless it asks otherwise.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    error = std::string("cannot start SDL: ") + SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<sdl_host>(new sdl_host);
}

sdl_host::~sdl_host() {
  // What the windows hold of the display goes before SDL closes the display.
  windows.clear();
  SDL_Quit();
}

bool sdl_host::start_video(std::string& error) {
  if (video_started) return true;
  if (!video_failure.empty()) {
    error = video_failure;
    return false;
  }
  tolerate_x11_errors();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    video_failure = std::string("cannot open a display: ") + SDL_GetError();
  } else {
    // Finding no display server, SDL settles for a driver that shows nothing;
    // a program would then run with no window anyone can see or close.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !SDL_GetHint(SDL_HINT_VIDEODRIVER)) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      video_failure =
          "cannot open a display: no display server answered (DISPLAY and WAYLAND_DISPLAY name none; "
          "SDL_VIDEODRIVER=dummy runs without one)";
    } else {
      x11_watch_scrolls();
      video_started = true;
      return true;
    }
  }
  error = video_failure;
  return false;
}

std::int64_t sdl_host::counter() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

std::int64_t sdl_host::counter_frequency() {
  return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
}

host::wake sdl_host::wait_for_input(std::int64_t timeout_ms) {
  if (held || !pending.empty()) return wake::input;
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

std::unique_ptr<audio_capture> sdl_host::open_capture(std::int32_t rate, std::int32_t channels,
                                                      std::string& error) {
  return open_sdl_capture(rate, channels, error);
}

void sdl_host::set_cursor_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

bool sdl_host::message_box(const std::string& title_utf8, const std::string& text_utf8) {
  // Over the newest window, which is the program's one window.
  SDL_Window* parent = windows.empty() ? nullptr : windows.rbegin()->second.sdl;
  // Fails at once where no message system exists (no display, dummy driver).
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title_utf8.c_str(), text_utf8.c_str(), parent) == 0;
}

}  // namespace portable
