#include "platform/portable/sdl/x11_scroll.h"

#include <SDL_syswm.h>

#include <cstring>

namespace portable {
namespace {

class copy_area_scroller final : public x11_scroller {
 public:
  copy_area_scroller(Display* display, Window window) : display(display), window(window) {
    // The server reports what it could not copy (GraphicsExpose), and that
    // it copied everything (NoExpose), which the event filter drops.
    XGCValues values{};
    values.graphics_exposures = True;
    gc = XCreateGC(display, window, GCGraphicsExposures, &values);
  }
  ~copy_area_scroller() override { XFreeGC(display, gc); }

  void scroll(const SDL_Rect& destination, int dx, int dy) override {
    XCopyArea(display, window, window, gc, destination.x - dx, destination.y - dy,
              static_cast<unsigned>(destination.w), static_cast<unsigned>(destination.h), destination.x,
              destination.y);
    XFlush(display);
  }
  unsigned long x11_window() const override { return window; }

 private:
  Display* display;
  Window window;
  GC gc;
};

bool is_x11(const SDL_SysWMinfo& info) { return info.subsystem == SDL_SYSWM_X11; }

// Keeps every event but the X11 ones that are not GraphicsExpose.
int keep_incomplete_scrolls(void*, SDL_Event* e) {
  if (e->type != SDL_SYSWMEVENT) return 1;
  return e->syswm.msg->subsystem == SDL_SYSWM_X11 && e->syswm.msg->msg.x11.event.type == GraphicsExpose;
}

}  // namespace

std::unique_ptr<x11_scroller> x11_scroller::for_window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || !is_x11(info)) return nullptr;
  return std::make_unique<copy_area_scroller>(info.info.x11.display, info.info.x11.window);
}

void x11_watch_scrolls() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  SDL_SetEventFilter(keep_incomplete_scrolls, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool x11_scroll_incomplete(const SDL_Event& e, unsigned long& x11_window) {
  if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  // A series of them ends with count 0: one presentation covers the series.
  if (x.type != GraphicsExpose || x.xgraphicsexpose.count != 0) return false;
  x11_window = x.xgraphicsexpose.drawable;
  return true;
}

}  // namespace portable
