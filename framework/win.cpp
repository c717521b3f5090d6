#include "framework/win.h"

// The platform window arrives with window creation; until then no window can
// be made, and the run loop reports that and ends.
std::int32_t win::create_window() {
  create_result = 1;
  return create_result;
}

void win::destroy_window() {
  if (created) {
    app->on_destroy();
    created = false;
  }
}

// Without a platform window there is no device context to fill.
void win::fill_background() {}
