// GDI+ is started before the entry point runs and shut down at process exit,
// by a static object whose destructor runs among the static destructors.
#include "platform/win32.h"

namespace {

// The level is an enumeration passed as an int. MinGW's headers declare the
// callback type as a plain pointer, hence the cast where it is handed over.
VOID WINAPI ignore_debug_event(int level, CHAR* message) {}

class gdiplus_session {
 public:
  gdiplus_session() {
    Gdiplus::GdiplusStartupInput input(reinterpret_cast<Gdiplus::DebugEventProc>(ignore_debug_event), FALSE,
                                       FALSE);
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
