#include "platform/portable/hosts/x11/x11_output.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "platform/portable/hosts/x11/x11_errors.h"

namespace portable {
namespace {

class xlib_output final : public native_output {
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
    unsent = true;
  }

  void scroll(const screen_rect& destination, int dx, int dy) override {
    XCopyArea(display, window, window, fully_visible ? quiet : reporting, destination.left - dx,
              destination.top - dy, static_cast<unsigned>(destination.right - destination.left),
              static_cast<unsigned>(destination.bottom - destination.top), destination.left, destination.top);
    unsent = true;
  }

  // Xlib's flush also reads the connection, a system call that finds nothing
  // in most of a program's hundred waits a second, so it runs only after
  // this output drew. SDL flushes what it asks of the server itself.
  void flush() override {
    if (!unsent) return;
    XFlush(display);
    unsent = false;
  }

  bool wait_for_news(int timeout_ms) override {
    flush();
    if (XEventsQueued(display, QueuedAlready) > 0) return true;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    const int ready = poll(&connection, 1, timeout_ms);
    // A signal ends the wait too: SDL turns SIGINT and SIGTERM into a quit
    // event when the events are next read. So does a broken connection, which
    // Xlib reports as the events are read.
    return ready > 0 || (ready < 0 && errno == EINTR);
  }

  bool must_present_again(const SDL_Event& system_event) override {
    if (system_event.type != SDL_SYSWMEVENT || system_event.syswm.msg->subsystem != SDL_SYSWM_X11)
      return false;
    const XEvent& x = system_event.syswm.msg->msg.x11.event;
    if (x.type == VisibilityNotify && x.xvisibility.window == window) {
      fully_visible = x.xvisibility.state == VisibilityUnobscured;
      return false;
    }
    // A series of them ends with count 0, the only one let through: one
    // presentation covers the series.
    return x.type == GraphicsExpose && x.xgraphicsexpose.drawable == window && x.xgraphicsexpose.count == 0;
  }

 private:
  Display* display;
  Window window;
  Visual* visual;
  int depth;
  GC reporting;                // scrolls report what they could not copy
  GC quiet;                    // no reports: for pictures, and scrolls of a window in full view
  bool fully_visible = false;  // until the server says so
  bool unsent = true;          // requests made since the last flush (the constructor's too)
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

// Keeps every event but the X11 ones an output has something to say of: a
// change of visibility, and a scroll that came out incomplete.
int keep_window_news(void*, SDL_Event* e) {
  if (e->type != SDL_SYSWMEVENT || e->syswm.msg->subsystem != SDL_SYSWM_X11) return 1;
  const XEvent& x = e->syswm.msg->msg.x11.event;
  return x.type == VisibilityNotify || (x.type == GraphicsExpose && x.xgraphicsexpose.count == 0);
}

void watch_windows() {
  // SDL's own window surface on X11 is a shared-memory image; through OpenGL
  // on a software renderer, which SDL would otherwise prefer, it costs three
  // more threads and four to five times the time.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetEventFilter(keep_window_news, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

std::unique_ptr<native_output> output_for(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  XWindowAttributes attributes;
  if (!takes_subset_pixels(info.info.x11.display, info.info.x11.window, attributes)) return nullptr;
  return std::make_unique<xlib_output>(info.info.x11.display, info.info.x11.window, attributes);
}

}  // namespace

const native_video& x11_video() {
  static const native_video operations{"x11", tolerate_x11_errors, watch_windows, output_for};
  return operations;
}

}  // namespace portable
