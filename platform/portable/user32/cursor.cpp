#include "platform/portable/seam/host.h"
#include "platform/portable/user32/user.h"
#include "platform/portable/user32/user_state.h"

int WINAPI ShowCursor(BOOL show) {
  int& count = portable::user_process().cursor_display_count;
  const bool was_visible = count >= 0;
  count += show ? 1 : -1;
  const bool visible = count >= 0;
  if (visible != was_visible) portable::current_host().set_cursor_visible(visible);
  return count;
}
