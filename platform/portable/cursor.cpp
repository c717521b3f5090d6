#include "platform/portable/host.h"
#include "platform/portable/process_state.h"
#include "platform/portable/user.h"

int WINAPI ShowCursor(BOOL show) {
  int& count = portable::process().cursor_display_count;
  const bool was_visible = count >= 0;
  count += show ? 1 : -1;
  const bool visible = count >= 0;
  if (visible != was_visible) portable::current_host().set_cursor_visible(visible);
  return count;
}
