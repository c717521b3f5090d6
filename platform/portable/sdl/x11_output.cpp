#include "platform/portable/sdl/x11_output.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace portable {
namespace {

class xlib_output final : public x11_output {
 public:
  xlib_output(Display* display, Window window, const XWindowAttributes& attributes)
      : display(display), window(window), visual(attributes.visual), depth(attributes.depth) {
    XGCValues values{};
    values.graphics_exposures = True;
    reporting = XCreateGC(display, window, GCGraphicsExposures, &values);
    values.graphics_exposures = False;
    quiet = XCreateGC(display, window, GCGraphicsExposures, &values);
    XSelectInput(display, window, attributes.your_event_mask | VisibilityChangeMask);
  }
  ~xlib_output() override {
    XFreeGC(display, reporting);
    XFreeGC(display, quiet);
  }

  void present(const std::uint32_t* pixels, int width, int height, int stride,
               const screen_rect& rect) override {
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min(rect.right, width), bottom = std::min(rect.bottom, height);
    if (left >= right || top >= bottom) return;
    // An image over the caller's pixels, which Xlib only reads.
    XImage* image =
        XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                     reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels)),
                     static_cast<unsigned>(stride), static_cast<unsigned>(height), 32, stride * 4);
    if (!image) return;
    image->byte_order = SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst;
    XPutImage(display, window, quiet, image, left, top, left, top, static_cast<unsigned>(right - left),
              static_cast<unsigned>(bottom - top));
    image->data = nullptr;  // not Xlib's to free
    XDestroyImage(image);
  }

  void scroll(const screen_rect& destination, int dx, int dy) override {
    XCopyArea(display, window, window, fully_visible ? quiet : reporting, destination.left - dx,
              destination.top - dy, static_cast<unsigned>(destination.right - destination.left),
              static_cast<unsigned>(destination.bottom - destination.top), destination.left, destination.top);
  }

  void flush() override { XFlush(display); }

  bool wait_for_news(int timeout_ms) override {
    XFlush(display);
    if (XEventsQueued(display, QueuedAlready) > 0) return true;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    const int ready = poll(&connection, 1, timeout_ms);
    // A signal ends the wait too: SDL turns SIGINT and SIGTERM into a quit
    // event when the events are next read. So does a broken connection, which
    // Xlib reports as the events are read.
    return ready > 0 || (ready < 0 && errno == EINTR);
  }
  void set_fully_visible(bool visible) override { fully_visible = visible; }

  unsigned long x11_window() const override { return window; }

 private:
  Display* display;
  Window window;
  Visual* visual;
  int depth;
  GC reporting;                // scrolls report what they could not copy
  GC quiet;                    // no reports: for pictures, and scrolls of a window in full view
  bool fully_visible = false;  // until the server says so
};

// Whether the window's pixels are 32-bit words 0x00RRGGBB, as the subset keeps
// them, so that they go to the server as they are.
bool takes_subset_pixels(Display* display, Window window, XWindowAttributes& attributes) {
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  const Visual* v = attributes.visual;
  if (attributes.depth != 24 || v->red_mask != 0xFF0000 || v->green_mask != 0xFF00 || v->blue_mask != 0xFF)
    return false;
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool words = false;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == 24) words = formats[i].bits_per_pixel == 32;
  if (formats) XFree(formats);
  return words;
}

// Keeps every event but the X11 ones x11_news_in has nothing to say of.
int keep_window_news(void*, SDL_Event* e) {
  if (e->type != SDL_SYSWMEVENT) return 1;
  return x11_news_in(*e).what != x11_news::kind::none;
}

}  // namespace

std::unique_ptr<x11_output> x11_output::for_window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  XWindowAttributes attributes;
  if (!takes_subset_pixels(info.info.x11.display, info.info.x11.window, attributes)) return nullptr;
  return std::make_unique<xlib_output>(info.info.x11.display, info.info.x11.window, attributes);
}

void x11_watch_windows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  SDL_SetEventFilter(keep_window_news, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

x11_news x11_news_in(const SDL_Event& e) {
  x11_news news;
  if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return news;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  if (x.type == VisibilityNotify) {
    news.what = x11_news::kind::visibility;
    news.x11_window = x.xvisibility.window;
    news.fully_visible = x.xvisibility.state == VisibilityUnobscured;
  } else if (x.type == GraphicsExpose && x.xgraphicsexpose.count == 0) {
    // A series of them ends with count 0: one presentation covers the series.
    news.what = x11_news::kind::scroll_incomplete;
    news.x11_window = x.xgraphicsexpose.drawable;
  }
  return news;
}

}  // namespace portable
