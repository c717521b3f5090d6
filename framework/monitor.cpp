#include "framework/monitor.h"

#include "framework/desktop.h"
#include "framework/last_error.h"

namespace {

// The monitor's rectangles, or zeros when the query fails (the error is dropped).
MONITORINFO info_of(HMONITOR handle) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(handle, &info)) discard_last_error();
  return info;
}

}  // namespace

cp::xstring<WCHAR> monitor::device_name() const {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(handle, &info)) {
    discard_last_error();
    return cp::xstring<WCHAR>();
  }
  return cp::xstring<WCHAR>(info.szDevice);
}

desktop_rect monitor::area() const { return owner->from_screen_rect(info_of(handle).rcMonitor); }

desktop_rect monitor::work_area() const { return owner->from_screen_rect(info_of(handle).rcWork); }
