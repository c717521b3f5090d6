// GDI+ is started before the entry point runs and shut down at process exit,
// by a static object whose destructor runs among the static destructors.
#include "platform/win32.h"

namespace {

VOID WINAPI ignore_debug_event(Gdiplus::DebugEventLevel level, CHAR* message) {}

class gdiplus_session {
 public:
  gdiplus_session() {
    Gdiplus::GdiplusStartupInput input(ignore_debug_event, FALSE, FALSE);
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }
  ~gdiplus_session() {
    if (started) Gdiplus::GdiplusShutdown(token);
  }

 private:
  ULONG_PTR token = 0;
  bool started = false;
};

gdiplus_session session;

}  // namespace
