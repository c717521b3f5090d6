#include "framework/desktop.h"

#include "framework/truncation.h"
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

std::int32_t virtual_screen_bottom() {
  return GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

POINT desktop::to_screen_point(double x, double y) const {
  const double top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const double height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return POINT{truncated(x), truncated(top + (height - y - 1))};
}

RECT desktop::to_screen_rect(const desktop_rect& r) const {
  const double v = virtual_screen_bottom();
  return RECT{truncated(r.x0), truncated(v - r.y1), truncated(r.x1), truncated(v - r.y0)};
}

desktop_rect desktop::from_screen_rect(const RECT& r) const {
  const double v = virtual_screen_bottom();
  return desktop_rect{static_cast<double>(r.left), v - r.bottom, static_cast<double>(r.right), v - r.top};
}

monitor desktop::monitor_at(double x, double y) {
  return monitor{MonitorFromPoint(to_screen_point(x, y), MONITOR_DEFAULTTOPRIMARY), this};
}
