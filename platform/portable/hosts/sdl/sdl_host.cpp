#include "platform/portable/hosts/sdl/sdl_host.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/portable/hosts/sdl/sdl_capture.h"

namespace portable {

std::unique_ptr<sdl_host> sdl_host::open(std::string& error, std::vector<const native_video*> outputs) {
  if (!start_sdl(error)) return nullptr;
  return std::unique_ptr<sdl_host>(new sdl_host(std::move(outputs)));
}

bool sdl_host::start_sdl(std::string& error) {
  // Closing the last window would otherwise also raise SDL_QUIT, and the
  // program would be asked twice to close the one window.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A Windows program leaves the screen saver alone unless it asks otherwise.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Only display servers, unless SDL_VIDEODRIVER (which overrides this) names
  // another driver. Finding none, SDL would go on to drive the console's
  // graphics device itself or settle for a driver that shows nothing, and a
  // program would run with no window anyone can see or close.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    error = std::string("cannot start SDL: ") + SDL_GetError();
    return false;
  }
  return true;
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
  for (const native_video* output : outputs) output->before_video();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    const char* driver = SDL_GetCurrentVideoDriver();
    for (const native_video* output : outputs)
      if (!video && driver && std::strcmp(driver, output->driver) == 0) video = output;
    if (video) video->video_started();
    video_started = true;
    return true;
  }
  video_failure = std::string("cannot open a display: ") + SDL_GetError() +
                  " (DISPLAY and WAYLAND_DISPLAY name no display server that answered; "
                  "SDL_VIDEODRIVER=dummy runs without one)";
  error = video_failure;
  return false;
}

std::int64_t sdl_host::counter() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

std::int64_t sdl_host::counter_frequency() {
  return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
}

// An SDL event that means nothing to the subset (a window shown, a visibility
// change) does not end the wait: only input does, as on Windows.
host::wake sdl_host::wait_for_input(std::int64_t timeout_ms) {
  const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(std::max<std::int64_t>(timeout_ms, 0));
  const auto shown_natively = std::find_if(windows.begin(), windows.end(),
                                           [](const auto& entry) { return entry.second.native != nullptr; });
  for (;;) {
    SDL_Event e;
    while (pending.empty() && take_sdl_event(e)) translate(e);
    if (!pending.empty()) return wake::input;
    const Uint64 now = SDL_GetTicks64();
    if (timeout_ms >= 0 && now >= deadline) return wake::timeout;
    const int remaining = timeout_ms < 0 ? -1 : static_cast<int>(std::min<Uint64>(deadline - now, INT_MAX));
    // Where the windows have a native output the host waits on the display
    // connection itself: SDL's own wait reads the connection a dozen times
    // around each sleep, which a program waking a hundred times a second pays
    // for more than for its own work. Events that SDL raises on its own threads
    // (a device gone) are then seen at the next wake-up.
    if (shown_natively != windows.end()) {
      if (!shown_natively->second.native->wait_for_news(remaining)) {
        last_quiet_wait_ms = SDL_GetTicks64();
        return timeout_ms < 0 ? wake::failed : wake::timeout;
      }
      server_sent = true;
      continue;
    }
    // SDL returns 0 both on a timeout and on an error: an unlimited wait can
    // only have failed.
    const int found = remaining < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, remaining);
    last_pump_ms = SDL_GetTicks64();
    if (!found) return timeout_ms < 0 ? wake::failed : wake::timeout;
    translate(e);
  }
}

void sdl_host::sleep(std::uint32_t ms) {
  // A wait for events sends what was drawn on its way; a sleep does not.
  for (auto& [id, s] : windows)
    if (s.native) s.native->flush();
  SDL_Delay(ms);
}

std::unique_ptr<audio_capture> sdl_host::open_capture(std::int32_t rate, std::int32_t channels,
                                                      std::string& error) {
  return open_sdl_capture(rate, channels, error);
}

void sdl_host::set_cursor_visible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

bool sdl_host::message_box(const std::string& title_utf8, const std::string& text_utf8) {
  // Over the newest window, which is the program's one window.
  SDL_Window* parent = windows.empty() ? nullptr : windows.rbegin()->second.sdl;
  // With no display SDL would still fork helper processes only to find none;
  // elsewhere it fails at once where no message system exists (dummy driver).
  if (!video_failure.empty()) return false;
  return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title_utf8.c_str(), text_utf8.c_str(), parent) == 0;
}

}  // namespace portable
