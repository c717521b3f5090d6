// The platform window's life: class registration and creation with the styles
// of the window mode, teardown, resizing in place, and the switch between a
// framed window and full screen, which re-creates the window.
#include <algorithm>

#include "framework/desktop.h"
#include "framework/last_error.h"
#include "framework/truncation.h"
#include "framework/win.h"

namespace {

// Every creation registers a class of its own; the counter keeps the names apart.
LONG volatile class_counter = 0;

constexpr DWORD framed_style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD framed_extended_style = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD full_screen_style = WS_POPUP;
constexpr DWORD full_screen_extended_style = WS_EX_APPWINDOW;

// The outer size of a window whose client area is width x height; when the
// platform cannot tell, the client size itself.
SIZE outer_size(double width, double height, DWORD style, DWORD extended_style) {
  RECT r{0, 0, truncated(width), truncated(height)};
  if (!AdjustWindowRectEx(&r, style, FALSE, extended_style)) discard_last_error();
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

monitor win::monitor_of_window() const {
  return monitor{MonitorFromWindow(handle, MONITOR_DEFAULTTOPRIMARY), owner};
}

std::int32_t win::create_window() {
  const LONG n = InterlockedIncrement(&class_counter) - 1;
  cp::xstring<WCHAR> title_text = title;
  cp::xstring<WCHAR> class_name =
      cp::xstring<WCHAR>::format(TEXT("win_%s0x%08x"), title_text.c_str(), static_cast<unsigned>(n));

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = registered_procedure;
  // Room for the win pointer, whatever the pointer's size.
  window_class.cbWndExtra = sizeof(win*);  // NOLINT(bugprone-sizeof-expression): the pointer's size is meant
  window_class.hInstance = owner->instance;
  window_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  window_class.hIconSm = window_class.hIcon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  window_class.lpszClassName = class_name.c_str();
  class_atom = RegisterClassExW(&window_class);
  if (class_atom == 0) {
    discard_last_error();
    return create_result = 1;
  }

  if (window_mode == full_screen) {
    cp::xstring<WCHAR> device = owner->monitor_at(position_x, position_y).device_name();
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(device.c_str(), ENUM_CURRENT_SETTINGS, &mode)) {
      discard_last_error();
      return create_result = 1;
    }
    // The same resolution again, marked as belonging to a full-screen window,
    // on that monitor: without the device name the mode would go to the primary.
    if (ChangeDisplaySettingsExW(device.c_str(), &mode, nullptr, CDS_FULLSCREEN, nullptr) !=
        DISP_CHANGE_SUCCESSFUL) {
      discard_last_error();
      return create_result = 1;
    }
    display_changed = true;
    display_device = device;
    style = full_screen_style;
    extended_style = full_screen_extended_style;
  } else {
    style = framed_style;
    extended_style = framed_extended_style;
  }

  const SIZE outer = outer_size(client_width, client_height, style, extended_style);
  POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
  if (position_known) at = owner->to_screen_point(position_x, position_y);
  create_result = 1;
  HWND window = CreateWindowExW(extended_style, MAKEINTATOM(class_atom), title_text.c_str(), style, at.x,
                                at.y, outer.cx, outer.cy, nullptr, nullptr, owner->instance, this);
  if (!window) {
    discard_last_error();
    return create_result;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return 0;
}

void win::destroy_window() {
  if (display_changed) {
    ChangeDisplaySettingsExW(display_device.c_str(), nullptr, nullptr, 0, nullptr);
    display_changed = false;
  }
  if (created) {
    app->on_destroy();
    created = false;
  }
  surface_close();
  if (device_context) {
    ReleaseDC(handle, device_context);
    device_context = nullptr;
  }
  if (handle) {
    DestroyWindow(handle);
    handle = nullptr;
  }
  if (class_atom) {
    UnregisterClassW(MAKEINTATOM(class_atom), owner->instance);
    class_atom = 0;
  }
}

std::int32_t win::set_mode(double width, double height, std::int32_t mode) {
  if (window_mode == full_screen && mode == full_screen) return 0;
  bool recreate = false;
  if ((window_mode == full_screen) != (mode == full_screen) && created) {
    const desktop_rect area = monitor_of_window().area();
    if (mode == full_screen) {
      position_x = area.x0;
      position_y = area.y1 - 1;
    } else {
      // Centred on the monitor the full-screen window covered, never left of
      // the desktop's x = 0, as long as the window's middle then lies on that
      // monitor. Where the limit would push it off (a monitor left of the
      // primary), a window narrower than the monitor is centred on it and a
      // wider one starts at its left edge. A window taller than the monitor
      // starts at its top.
      const double monitor_width = area.x1 - area.x0;
      const double monitor_height = area.y1 - area.y0;
      position_x = std::max(area.x0 + (monitor_width - width) / 2, 0.0);
      if (position_x + width / 2 < area.x0 || position_x + width / 2 >= area.x1)
        position_x = area.x0 + std::max((monitor_width - width) / 2, 0.0);
      position_y = area.y0 + monitor_height - 1 - std::max((monitor_height - height) / 2, 0.0);
    }
    position_known = true;
    destroy_window();
    recreate = true;
  }
  if (mode == full_screen) {
    position_known = true;
    const desktop_rect area = owner->monitor_at(position_x, position_y).area();
    client_width = area.x1 - area.x0;
    client_height = area.y1 - area.y0;
  } else {
    client_width = width;
    client_height = height;
  }
  window_mode = mode;
  requested_width = width;
  requested_height = height;
  if (created) return resize_in_place();
  if (recreate) {
    if (const std::int32_t failed = create_window()) {
      destroy_window();
      return failed;
    }
  }
  return 0;
}

// Keeps the window on its monitor's work area; a window larger than the work
// area only keeps its corner on the virtual screen.
std::int32_t win::resize_in_place() {
  const SIZE outer = outer_size(client_width, client_height, style, extended_style);
  RECT frame{};
  if (!GetWindowRect(handle, &frame)) discard_last_error();
  LONG left = frame.left, top = frame.top;
  const RECT work = owner->to_screen_rect(monitor_of_window().work_area());
  if (outer.cx > work.right - work.left || outer.cy > work.bottom - work.top) {
    left = std::max<LONG>(left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    top = std::max<LONG>(top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  } else {
    if (left < work.left)
      left = work.left;
    else if (left + outer.cx > work.right)
      left = work.right - outer.cx;
    if (top < work.top)
      top = work.top;
    else if (top + outer.cy > work.bottom)
      top = work.bottom - outer.cy;
  }
  if (!MoveWindow(handle, left, top, outer.cx, outer.cy, TRUE)) discard_last_error();
  read_client_size();
  return 0;
}

void win::set_title(const cp::xstring<WCHAR>& text) {
  title = text;
  if (created) {
    cp::xstring<WCHAR> title_text = title;
    if (!SetWindowTextW(handle, title_text.c_str())) discard_last_error();
  }
}
