// Showing a window's pixels on X11 without SDL's window surface. Through that
// surface every present is a copy into it, a shared-memory image and a round
// trip to the server, and a scroll sends every moved pixel again; a picture
// that scrolls many times a second pays for all of it each time. Here pixels go
// straight from the subset's picture in one request (XPutImage), with no wait
// for the server, and a scroll is a copy inside the server (XCopyArea). The
// requests go out together when the program next waits or sleeps.
//
// Where part of what is to scroll is not there to copy (another window covers
// it and no compositor keeps the window's pixels), the server says so with a
// GraphicsExpose event; the host then presents the whole window again. The
// server also says, with NoExpose, when nothing was missing; that news would
// wake the program once for every scroll. So scrolls ask for either only
// while the window is not known to be fully visible (VisibilityNotify). SDL
// hands such events over only as SDL_SYSWMEVENT, which x11_watch_windows turns
// on for these alone.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/portable/seam/host.h"

namespace portable {

class x11_output {
 public:
  // Null when SDL does not show the window through X11, or the window's
  // pixels are not 32-bit 0x00RRGGBB words: SDL's surface then serves.
  static std::unique_ptr<x11_output> for_window(SDL_Window* window);
  virtual ~x11_output() = default;

  // Shows `rect` of a picture of `width` x `height` pixels, rows `stride`
  // pixels apart, at the same place in the window.
  virtual void present(const std::uint32_t* pixels, int width, int height, int stride,
                       const screen_rect& rect) = 0;
  // Each pixel of `destination` (window coordinates) takes what the window
  // showed at (x - dx, y - dy).
  virtual void scroll(const screen_rect& destination, int dx, int dy) = 0;
  // Requests wait in Xlib's buffer until this, or until SDL next reads the
  // display connection, as it does before every wait for events.
  virtual void flush() = 0;
  // Sends what is waiting to go out and blocks until the server sends
  // something, a signal arrives or `timeout_ms` passes (a negative timeout:
  // no limit). False on the timeout, or when the connection has failed.
  virtual bool wait_for_news(int timeout_ms) = 0;
  // What the server last said of the window's visibility (x11_news).
  virtual void set_fully_visible(bool fully_visible) = 0;
  // The X11 window it draws in.
  virtual unsigned long x11_window() const = 0;
};

// Lets SDL pass on the X11 events that tell of a window's visibility and of a
// scroll that came out incomplete, and no other X11 event, as SDL_SYSWMEVENT.
// Does nothing unless SDL's video driver is X11.
void x11_watch_windows();

// What an SDL_SYSWMEVENT let through by x11_watch_windows says of a window.
struct x11_news {
  enum class kind { none, scroll_incomplete, visibility } what = kind::none;
  unsigned long x11_window = 0;
  bool fully_visible = false;  // for visibility
};
x11_news x11_news_in(const SDL_Event& e);

}  // namespace portable
