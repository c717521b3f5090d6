// A way of showing windows that one of SDL's video drivers offers besides
// SDL's window surface, as a table of operations the SDL host calls. The host
// itself knows no window system: it is given the tables it may use, takes the
// one whose driver SDL chose, and asks it for each window it makes. Where there
// is none, or it declines a window, SDL's window surface serves.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/portable/seam/host.h"

namespace portable {

// How one window's pixels reach the screen.
class native_output {
 public:
  virtual ~native_output() = default;

  // Shows `rect` of a picture of `width` x `height` pixels (XRGB8888), rows
  // `stride` pixels apart, at the same place in the window.
  virtual void present(const std::uint32_t* pixels, int width, int height, int stride,
                       const screen_rect& rect) = 0;
  // Each pixel of `destination` (window coordinates) takes what the window
  // showed at (x - dx, y - dy).
  virtual void scroll(const screen_rect& destination, int dx, int dy) = 0;
  // Sends what waits to go out, as a wait does on its way; a sleep calls it.
  virtual void flush() = 0;
  // Sends what waits to go out and blocks until the window system sends
  // something, a signal arrives or `timeout_ms` passes (negative: no limit).
  // False on the timeout, or when the connection has failed.
  virtual bool wait_for_news(int timeout_ms) = 0;
  // Reads an SDL_SYSWMEVENT. True when it says that this window's pixels must
  // be presented again; news of other kinds the output keeps for itself.
  virtual bool must_present_again(const SDL_Event& system_event) = 0;
};

// The operations for one SDL video driver.
struct native_video {
  const char* driver;  // SDL's name for the driver, as SDL_GetCurrentVideoDriver gives it
  // Before SDL starts its video, whichever driver it picks.
  void (*before_video)();
  // Once SDL's video runs on `driver`, before the first window.
  void (*video_started)();
  // The output for a window SDL just made; null leaves it to SDL's surface.
  std::unique_ptr<native_output> (*output_for)(SDL_Window* window);
};

}  // namespace portable
