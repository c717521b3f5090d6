// GetKeyState, GetCursorPos and ScreenToClient.
#include "platform/portable/user32/input.h"

#include "platform/portable/seam/host.h"
#include "platform/portable/user32/user_state.h"

using namespace portable;

SHORT WINAPI GetKeyState(int virtual_key) { return user_process().keys.value(virtual_key); }

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  std::int32_t x = 0, y = 0;
  current_host().cursor_position(x, y);
  *point = POINT{x, y};
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
  const portable::window* w = find_window(window);
  if (!w || !point) return FALSE;
  const POINT origin = w->client_origin();
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}
