#include "platform/portable/hosts/x11/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace portable {
namespace {

int report_and_go_on(Display* display, XErrorEvent* event) {
  // A window that no longer exists is the one error a window going away
  // brings; it is expected and not worth a line.
  if (event->error_code == BadWindow) return 0;
  char text[256];
  XGetErrorText(display, event->error_code, text, sizeof text);
  std::fprintf(stderr, "warblet: X error ignored: %s (request %d)\n", text, event->request_code);
  return 0;
}

}  // namespace

void tolerate_x11_errors() { XSetErrorHandler(report_and_go_on); }

}  // namespace portable
