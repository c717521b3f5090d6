#include "framework/desktop.h"

#include "framework/waiter.h"

desktop::desktop() : instance(GetModuleHandleW(nullptr)) {}

void desktop::pump_messages(waiter& w) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit_requested = true;
      return;
    }
    if (got == -1) break;  // nothing valid was retrieved; the next pass tries again
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  w.wake_on_messages();
}
