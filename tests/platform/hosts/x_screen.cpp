#include "tests/platform/hosts/x_screen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace testing_display {
namespace {

Display* as_display(void* d) { return static_cast<Display*>(d); }

bool x11_info_of(std::uint32_t sdl_window, SDL_SysWMinfo& info) {
  SDL_VERSION(&info.version);
  return SDL_GetWindowWMInfo(SDL_GetWindowFromID(sdl_window), &info) && info.subsystem == SDL_SYSWM_X11;
}

Window x_window_of(std::uint32_t sdl_window) {
  SDL_SysWMinfo info;
  return x11_info_of(sdl_window, info) ? info.info.x11.window : 0;
}

}  // namespace

x_screen::x_screen(const std::string& display_name) : display(XOpenDisplay(display_name.c_str())) {}

x_screen::~x_screen() {
  if (display) XCloseDisplay(as_display(display));
}

std::uint32_t x_screen::pixel(int x, int y) {
  Display* d = as_display(display);
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFF;  // off the screen: no colour a test paints
  const std::uint32_t value = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return value;
}

void x_screen::wait_for_drawing(std::uint32_t sdl_window) {
  SDL_SysWMinfo info;
  if (x11_info_of(sdl_window, info)) XSync(info.info.x11.display, False);
}

void x_screen::move_resize(std::uint32_t sdl_window, int x, int y, int width, int height) {
  Display* d = as_display(display);
  XMoveResizeWindow(d, x_window_of(sdl_window), x, y, static_cast<unsigned>(width),
                    static_cast<unsigned>(height));
  XSync(d, False);
}

void x_screen::ask_to_close(std::uint32_t sdl_window) {
  Display* d = as_display(display);
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = x_window_of(sdl_window);
  close.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, close.xclient.window, False, NoEventMask, &close);
  XSync(d, False);
}

void x_screen::type_key(std::uint32_t sdl_window, const char* keysym_name) {
  Display* d = as_display(display);
  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = d;
  key.xkey.window = x_window_of(sdl_window);
  key.xkey.root = DefaultRootWindow(d);
  key.xkey.same_screen = True;
  key.xkey.time = CurrentTime;
  key.xkey.keycode = XKeysymToKeycode(d, XStringToKeysym(keysym_name));
  XSendEvent(d, key.xkey.window, True, KeyPressMask, &key);
  key.xkey.type = KeyRelease;
  XSendEvent(d, key.xkey.window, True, KeyReleaseMask, &key);
  XSync(d, False);
}

void x_screen::warp_pointer(int x, int y) {
  Display* d = as_display(display);
  XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
  XSync(d, False);
}

}  // namespace testing_display
