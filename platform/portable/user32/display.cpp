// The desktop: screen metrics, monitors, display settings and the full-screen
// rule, all from the host's list of monitors.
#include "platform/portable/user32/display.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/utf.h"
#include "platform/portable/user32/display_modes.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window.h"

namespace portable {
namespace {

// A monitor's handle is its place in the host's list, plus one.
HMONITOR handle_of(std::size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

std::optional<monitor_info> monitor_of(HMONITOR handle) {
  const std::vector<monitor_info> monitors = current_host().monitors();
  const auto index = reinterpret_cast<std::uintptr_t>(handle);
  if (index == 0 || index > monitors.size()) return std::nullopt;
  return monitors[index - 1];
}

std::size_t primary_index(const std::vector<monitor_info>& monitors) {
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (monitors[i].primary) return i;
  return 0;
}

RECT rect_of(const screen_rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// How far a point lies outside a rectangle, squared; 0 inside.
std::int64_t distance_squared(const screen_rect& r, POINT p) {
  const std::int64_t dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
  const std::int64_t dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

std::int64_t overlap_area(const screen_rect& a, const RECT& b) {
  const std::int64_t w = std::min<LONG>(a.right, b.right) - std::max<LONG>(a.left, b.left);
  const std::int64_t h = std::min<LONG>(a.bottom, b.bottom) - std::max<LONG>(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The monitor nearest to `p` when none holds the thing asked about.
HMONITOR fallback(const std::vector<monitor_info>& monitors, POINT p, DWORD flags) {
  if (flags == MONITOR_DEFAULTTOPRIMARY) return handle_of(primary_index(monitors));
  if (flags != MONITOR_DEFAULTTONEAREST) return nullptr;
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < monitors.size(); ++i)
    if (distance_squared(monitors[i].area, p) < distance_squared(monitors[nearest].area, p)) nearest = i;
  return handle_of(nearest);
}

std::optional<monitor_info> monitor_named(LPCWSTR device) {
  const std::vector<monitor_info> monitors = current_host().monitors();
  if (!device) return monitors[primary_index(monitors)];
  const std::string name = utf8_from_utf16(device);
  for (const monitor_info& m : monitors)
    if (m.name == name) return m;
  return std::nullopt;
}

void copy_name(const std::string& name, WCHAR (&out)[CCHDEVICENAME]) {
  const std::u16string wide = utf16_from_utf8(name);
  const std::size_t length = std::min<std::size_t>(wide.size(), CCHDEVICENAME - 1);
  std::copy_n(wide.begin(), length, out);
  out[length] = 0;
}

}  // namespace

RECT frame_of(DWORD style) {
  if (!(style & (WS_CAPTION | WS_THICKFRAME))) return RECT{0, 0, 0, 0};
  const screen_rect extents = current_host().frame_extents();
  return RECT{extents.left, extents.top, extents.right, extents.bottom};
}

void update_full_screen(window& w) {
  const bool borderless_popup = (w.style & WS_POPUP) && !(w.style & (WS_CAPTION | WS_THICKFRAME));
  bool full_screen = false;
  if (user_process().display.full_screen_mode && w.visible && borderless_popup) {
    for (const monitor_info& m : current_host().monitors())
      full_screen = full_screen || same_rect(rect_of(m.area), w.outer);
  }
  if (full_screen == w.full_screen) return;
  w.full_screen = full_screen;
  if (w.native) current_host().set_full_screen(w.native, full_screen);
}

}  // namespace portable

using namespace portable;

int WINAPI GetSystemMetrics(int index) {
  const std::vector<monitor_info> monitors = current_host().monitors();
  const monitor_info& primary = monitors[primary_index(monitors)];
  screen_rect all = primary.area;
  for (const monitor_info& m : monitors) {
    all.left = std::min(all.left, m.area.left);
    all.top = std::min(all.top, m.area.top);
    all.right = std::max(all.right, m.area.right);
    all.bottom = std::max(all.bottom, m.area.bottom);
  }
  switch (index) {
    case SM_CXSCREEN:
      return primary.area.right - primary.area.left;
    case SM_CYSCREEN:
      return primary.area.bottom - primary.area.top;
    case SM_XVIRTUALSCREEN:
      return all.left;
    case SM_YVIRTUALSCREEN:
      return all.top;
    case SM_CXVIRTUALSCREEN:
      return all.right - all.left;
    case SM_CYVIRTUALSCREEN:
      return all.bottom - all.top;
    default:
      return 0;
  }
}

HMONITOR WINAPI MonitorFromPoint(POINT point, DWORD flags) {
  const std::vector<monitor_info> monitors = current_host().monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (distance_squared(monitors[i].area, point) == 0) return handle_of(i);
  return fallback(monitors, point, flags);
}

HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags) {
  const portable::window* w = find_window(window);
  if (!w) return nullptr;
  const std::vector<monitor_info> monitors = current_host().monitors();
  std::int64_t best_area = 0;
  HMONITOR best = nullptr;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t area = overlap_area(monitors[i].area, w->outer);
    if (area > best_area) {
      best_area = area;
      best = handle_of(i);
    }
  }
  if (best) return best;
  const POINT centre{w->outer.left + (w->outer.right - w->outer.left) / 2,
                     w->outer.top + (w->outer.bottom - w->outer.top) / 2};
  return fallback(monitors, centre, flags);
}

BOOL WINAPI GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
  if (!info || (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXW))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::optional<monitor_info> found = monitor_of(monitor);
  if (!found) {
    SetLastError(ERROR_INVALID_MONITOR_HANDLE);
    return FALSE;
  }
  info->rcMonitor = rect_of(found->area);
  info->rcWork = rect_of(found->work_area);
  info->dwFlags = found->primary ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEXW))
    copy_name(found->name, static_cast<MONITORINFOEXW*>(info)->szDevice);
  return TRUE;
}

BOOL WINAPI EnumDisplaySettingsW(LPCWSTR device, DWORD mode, DEVMODEW* settings) {
  const std::optional<monitor_info> found = monitor_named(device);
  if (!settings || !found || (mode != 0 && mode != ENUM_CURRENT_SETTINGS && mode != ENUM_REGISTRY_SETTINGS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::memset(settings, 0, sizeof *settings);
  copy_name(found->name, settings->dmDeviceName);
  settings->dmSize = sizeof *settings;
  settings->dmFields =
      DM_POSITION | DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
  settings->dmPosition = POINTL{found->area.left, found->area.top};
  settings->dmBitsPerPel = 32;
  settings->dmPelsWidth = static_cast<DWORD>(found->area.right - found->area.left);
  settings->dmPelsHeight = static_cast<DWORD>(found->area.bottom - found->area.top);
  return TRUE;
}

// No resolution can be changed here: a mode is accepted when it is the current
// one of the monitor it is meant for. The refresh rate is not known here, so
// any asked for is taken to be the current.
LONG WINAPI ChangeDisplaySettingsW(DEVMODEW* settings, DWORD flags) {
  return ChangeDisplaySettingsExW(nullptr, settings, nullptr, flags, nullptr);
}

LONG WINAPI ChangeDisplaySettingsExW(LPCWSTR device, DEVMODEW* settings, HWND reserved, DWORD flags,
                                     LPVOID parameter) {
  if (reserved || parameter) return DISP_CHANGE_BADPARAM;
  DEVMODEW current;
  if (!EnumDisplaySettingsW(device, ENUM_CURRENT_SETTINGS, &current)) return DISP_CHANGE_BADPARAM;
  bool& full_screen_mode = user_process().display.full_screen_mode;
  if (settings) {
    if (flags & ~(CDS_UPDATEREGISTRY | CDS_TEST | CDS_FULLSCREEN)) return DISP_CHANGE_BADFLAGS;
    const bool same =
        (!(settings->dmFields & DM_PELSWIDTH) || settings->dmPelsWidth == current.dmPelsWidth) &&
        (!(settings->dmFields & DM_PELSHEIGHT) || settings->dmPelsHeight == current.dmPelsHeight) &&
        (!(settings->dmFields & DM_BITSPERPEL) || settings->dmBitsPerPel == current.dmBitsPerPel);
    if (!same) return DISP_CHANGE_BADMODE;
    if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
    full_screen_mode = (flags & CDS_FULLSCREEN) != 0;
  } else {
    full_screen_mode = false;
  }
  for (window* w : user_process().windows.all()) update_full_screen(*w);
  return DISP_CHANGE_SUCCESSFUL;
}
