// DefWindowProcW: what Windows does with the messages a window procedure
// passes on.
#include "platform/portable/user32/display_modes.h"
#include "platform/portable/user32/paint.h"
#include "platform/portable/user32/user.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window.h"

using namespace portable;

LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_NCCALCSIZE: {
      // Only the form without NCCALCSIZE_PARAMS is sent here.
      const portable::window* w = user_process().windows.find(window);
      RECT* rect = reinterpret_cast<RECT*>(lparam);
      if (!w || wparam || !rect) return 0;
      const RECT frame = frame_of(w->style);
      *rect = RECT{rect->left + frame.left, rect->top + frame.top, rect->right - frame.right,
                   rect->bottom - frame.bottom};
      return 0;
    }
    case WM_ERASEBKGND: {
      const portable::window* w = user_process().windows.find(window);
      const window_class* c = w ? user_process().classes.find(w->class_atom) : nullptr;
      if (!c || !c->background) return 0;
      const RECT client = w->client_rect();
      return FillRect(reinterpret_cast<HDC>(wparam), &client, c->background) ? 1 : 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(window, &paint)) EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    default:
      return 0;
  }
}
