// Scrolling what an X11 window shows inside the X server (XCopyArea). SDL's
// window surface has no such operation: through it, a scroll sends every moved
// pixel to the server again, many times a second for a scrolling picture.
//
// Where part of what is to move is not there to copy (another window covers
// it and no compositor keeps the window's pixels), the server says so with a
// GraphicsExpose event; the host then presents the whole window again. SDL
// hands such events over only as SDL_SYSWMEVENT, which x11_watch_scrolls turns
// on for these alone.
#pragma once

#include <SDL.h>

#include <memory>

namespace portable {

class x11_scroller {
 public:
  // Null when SDL does not show the window through X11.
  static std::unique_ptr<x11_scroller> for_window(SDL_Window* window);
  virtual ~x11_scroller() = default;

  // Each pixel of `destination` (window coordinates) takes what the window
  // showed at (x - dx, y - dy).
  virtual void scroll(const SDL_Rect& destination, int dx, int dy) = 0;
  // The X11 window it scrolls.
  virtual unsigned long x11_window() const = 0;
};

// Lets SDL pass on the X11 events that say a scroll came out incomplete, and no
// other X11 event, as SDL_SYSWMEVENT. Does nothing unless SDL's video driver
// is X11.
void x11_watch_scrolls();

// Whether `e` is an SDL_SYSWMEVENT saying that a scroll left part of an X11
// window unfilled; that window is then in `x11_window`.
bool x11_scroll_incomplete(const SDL_Event& e, unsigned long& x11_window);

}  // namespace portable
