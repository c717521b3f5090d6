#include "platform/portable/host.h"
#include "platform/portable/user.h"

namespace {
// The display counter: the cursor shows while it is 0 or more.
int cursor_display_count = 0;
}

int WINAPI ShowCursor(BOOL show) {
  const bool was_visible = cursor_display_count >= 0;
  cursor_display_count += show ? 1 : -1;
  const bool visible = cursor_display_count >= 0;
  if (visible != was_visible) portable::current_host().set_cursor_visible(visible);
  return cursor_display_count;
}
