#include "framework/win.h"

#include <cmath>

#include "framework/clock.h"
#include "framework/desktop.h"
#include "framework/key_translation.h"
#include "framework/last_error.h"
#include "framework/truncation.h"

namespace {

constexpr LRESULT message_handled = 1;

// The signed 16-bit halves of a message parameter (client or screen positions).
std::int32_t low_word(LPARAM value) { return static_cast<std::int16_t>(value & 0xFFFF); }
std::int32_t high_word(LPARAM value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }

bool is_high_surrogate(WPARAM unit) { return (unit & 0xFC00) == 0xD800; }
bool is_low_surrogate(WPARAM unit) { return (unit & 0xFC00) == 0xDC00; }
constexpr std::int32_t replacement_character = 0xFFFD;

}  // namespace

win::win(desktop* owner) : owner(owner) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  if (startup.dwFlags & STARTF_USEPOSITION) {
    // The fields are unsigned, but a monitor left of or above the primary one
    // has negative screen coordinates.
    position_known = true;
    position_x = static_cast<LONG>(startup.dwX);
    position_y = static_cast<double>(virtual_screen_bottom()) - 1 - static_cast<LONG>(startup.dwY);
  } else {
    position_y = virtual_screen_bottom() - 1;
  }
}

// The class's procedure. The win object travels in the creation parameters and
// then in the window's extra bytes; messages that arrive before WM_CREATE (the
// non-client ones) get the platform's default.
LRESULT CALLBACK win::registered_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  win* self = reinterpret_cast<win*>(GetWindowLongPtrW(window, 0));
  if (!self && message == WM_CREATE) {
    self = static_cast<win*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
  }
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->window_procedure(window, message, wparam, lparam);
}

LRESULT win::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return on_create_message(window);
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return message_handled;
      read_client_size();
      update_view();
      surface_resize();
      surface_refresh();
      app->on_size();
      invalidate();
      return message_handled;
    case WM_PAINT:
      on_paint_message();
      return message_handled;
    case WM_ERASEBKGND:  // painting covers the whole area
      return message_handled;
    case WM_CLOSE:
      // The window stays until the run loop tears it down.
      if (app->on_close() == not_handled) PostQuitMessage(0);
      return message_handled;
    case WM_DESTROY:
      return message_handled;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return on_key_message(window, message, wparam, lparam);
    case WM_CHAR:
    case WM_SYSCHAR:
      return on_char_message(window, message, wparam, lparam);
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      modifier_flags = refresh_modifier_flags();
      return DefWindowProcW(window, message, wparam, lparam);
    case WM_MOUSEMOVE:
      store_mouse(low_word(lparam), high_word(lparam));
      app->on_mouse_move();
      return message_handled;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      store_mouse(low_word(lparam), high_word(lparam));
      const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
      const std::int32_t button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP   ? 0
                                  : message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? 1
                                                                                         : 2;
      button_down[button] = down;
      if (down) {
        press_time[button] = now_ns();
        app->on_button_down(button);
      } else {
        app->on_button_up(button);
      }
      return message_handled;
    }
    case WM_MOUSEWHEEL: {
      POINT at{low_word(lparam), high_word(lparam)};
      if (!ScreenToClient(window, &at)) discard_last_error();
      store_mouse(at.x, at.y);
      app->on_wheel(high_word(static_cast<LPARAM>(wparam)) / 120.0);
      return message_handled;
    }
    case WM_SIZING:
      on_sizing(wparam, *reinterpret_cast<RECT*>(lparam));
      return message_handled;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT win::on_create_message(HWND window) {
  handle = window;
  SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(this));
  device_context = GetDC(window);
  if (!device_context) {
    discard_last_error();
    create_result = 1;
    return -1;
  }
  if (const std::int32_t refused = surface_open()) {
    create_result = refused;
    return -1;
  }
  read_client_size();
  POINT cursor{};
  if (!GetCursorPos(&cursor) || !ScreenToClient(window, &cursor)) discard_last_error();
  mouse_x = cursor.x;
  mouse_y = client_height - 1 - cursor.y;
  update_view();
  button_down[0] = GetKeyState(VK_LBUTTON) & 0x8000;
  button_down[2] = GetKeyState(VK_MBUTTON) & 0x8000;
  button_down[1] = GetKeyState(VK_RBUTTON) & 0x8000;
  modifier_flags = refresh_modifier_flags();
  surface_refresh();
  created = true;
  const std::int32_t result = app->on_create();
  if (result == handled || result == not_handled) return message_handled;
  create_result = result;
  return -1;
}

LRESULT win::on_key_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto key_flags = static_cast<std::int32_t>((lparam >> key_bits::previous_state_shift) & 1);
  modifier_flags = refresh_modifier_flags();
  const std::int32_t position = position_code(wparam, lparam, modifier_flags);
  if (position == 0) return message_handled;  // a key the tables do not know is consumed
  const std::int32_t key = key_code(wparam);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const std::int32_t result =
      down ? app->on_key_down(key_flags, position, key) : app->on_key_up(key_flags, position, key);
  if (result == not_handled) return DefWindowProcW(window, message, wparam, lparam);
  return message_handled;
}

// Characters arrive as UTF-16 units; a pair of surrogates reaches the client as
// one code point, and the platform's default then sees it as WM_UNICHAR.
LRESULT win::on_char_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto key_flags = static_cast<std::int32_t>((lparam >> key_bits::previous_state_shift) & 1);
  modifier_flags = refresh_modifier_flags();
  std::int32_t character = static_cast<std::int32_t>(wparam);
  if (is_high_surrogate(wparam)) {
    pending_high_surrogate = static_cast<std::uint16_t>(wparam);
    return message_handled;
  }
  if (is_low_surrogate(wparam)) {
    // A low half with no high half before it stands for nothing: it arrives
    // as the replacement character rather than as a made-up code point.
    character = pending_high_surrogate
                    ? 0x10000 + ((pending_high_surrogate - 0xD800) << 10) + (character - 0xDC00)
                    : replacement_character;
    pending_high_surrogate = 0;
    message = WM_UNICHAR;
    wparam = static_cast<WPARAM>(character);
  }
  if (app->on_char(key_flags, character) == not_handled)
    return DefWindowProcW(window, message, wparam, lparam);
  return message_handled;
}

// A paint can run inside another: a modal loop entered from on_paint (a message
// box) dispatches WM_PAINT to this window again. Each paint therefore keeps its
// own region and puts the outer paint's back when it ends. A paint that
// BeginPaint refuses draws nothing; the area stays invalid for the next one.
void win::on_paint_message() {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (region) GetUpdateRgn(handle, region, FALSE);
  PAINTSTRUCT paint{};
  if (!BeginPaint(handle, &paint)) {
    discard_last_error();
    if (region) DeleteObject(region);
    return;
  }
  const HRGN outer_region = update_region;
  const RECT outer_rect = paint_rect;
  update_region = region;
  paint_rect = paint.rcPaint;
  begin_draw(0);
  app->on_paint();
  end_draw(0);
  paint_rect = outer_rect;
  update_region = outer_region;
  EndPaint(handle, &paint);
  if (region) DeleteObject(region);
}

// Border drags: in keep-aspect mode the client keeps the requested width to
// height; a side drag grows the other dimension evenly on both sides (the odd
// pixel to the top or the right), a corner drag keeps the opposite corner.
void win::on_sizing(WPARAM edge, RECT& proposed) {
  if (window_mode == fixed_size) {
    GetWindowRect(handle, &proposed);
    return;
  }
  if (window_mode != keep_aspect) return;
  RECT current{};
  GetWindowRect(handle, &current);
  const std::int32_t dw = (proposed.right - proposed.left) - (current.right - current.left);
  const std::int32_t dh = (proposed.bottom - proposed.top) - (current.bottom - current.top);
  std::int32_t w, h;
  if (edge == WMSZ_TOP || edge == WMSZ_BOTTOM) {
    h = truncated(client_height + dh);
    w = truncated(std::floor(h * requested_width / requested_height));
  } else {
    w = truncated(client_width + dw);
    h = truncated(std::floor(w * requested_height / requested_width));
  }
  const std::int32_t ew = truncated(w - client_width);
  const std::int32_t eh = truncated(h - client_height);
  const std::int32_t hw = ew / 2;
  const std::int32_t hh = eh / 2;
  proposed = current;
  // The sides move in double precision: with a requested size of 0 the growth
  // reaches the int32 limit, and adding it to a side in int32 would overflow.
  const double grow_x = ew, grow_y = eh;
  const auto move = [](LONG& side, double by) { side = truncated(side + by); };
  switch (edge) {
    case WMSZ_LEFT:
      move(proposed.left, -grow_x);
      move(proposed.top, hh - grow_y);
      move(proposed.bottom, hh);
      break;
    case WMSZ_RIGHT:
      move(proposed.right, grow_x);
      move(proposed.top, hh - grow_y);
      move(proposed.bottom, hh);
      break;
    case WMSZ_TOP:
      move(proposed.top, -grow_y);
      move(proposed.left, -hw);
      move(proposed.right, grow_x - hw);
      break;
    case WMSZ_BOTTOM:
      move(proposed.bottom, grow_y);
      move(proposed.left, -hw);
      move(proposed.right, grow_x - hw);
      break;
    case WMSZ_TOPLEFT:
      move(proposed.top, -grow_y);
      move(proposed.left, -grow_x);
      break;
    case WMSZ_TOPRIGHT:
      move(proposed.top, -grow_y);
      move(proposed.right, grow_x);
      break;
    case WMSZ_BOTTOMLEFT:
      move(proposed.bottom, grow_y);
      move(proposed.left, -grow_x);
      break;
    case WMSZ_BOTTOMRIGHT:
      move(proposed.bottom, grow_y);
      move(proposed.right, grow_x);
      break;
    default:
      break;
  }
}

void win::store_mouse(std::int32_t x, std::int32_t row) {
  mouse_x = x;
  mouse_y = client_height - 1 - row;
  update_view();
}

void win::read_client_size() {
  RECT client{};
  if (!GetClientRect(handle, &client)) discard_last_error();
  client_width = client.right;
  client_height = client.bottom;
}

void win::update_view() {
  const double w = client_width, h = client_height;
  const double total_width = logical_width + 2 * margin_x;
  const double total_height = logical_height + 2 * margin_y;
  const double ratio = (total_width / total_height) / (w / h);
  switch (scale_mode) {
    case unscaled:
      scale_x = scale_y = 1;
      view_width = w;
      view_height = h;
      break;
    case scale_to_width:
      if (logical_width != 0) {
        scale_x = scale_y = total_width / w;
        view_width = logical_width;
        view_height = scale_y * h;
      } else if (logical_height != 0) {
        scale_x = scale_y = total_height / h;
        view_width = scale_x * w;
        view_height = logical_height;
      } else {
        scale_x = scale_y = 1;
        view_width = w;
        view_height = h;
      }
      break;
    case scale_to_cover:
      scale_x = scale_y = ratio > 1 ? total_height / h : total_width / w;
      view_width = logical_width;
      view_height = logical_height;
      break;
    case scale_to_fit:
      scale_x = scale_y = ratio > 1 ? total_width / w : total_height / h;
      view_width = logical_width;
      view_height = logical_height;
      break;
    case stretch:
      scale_x = total_width / w;
      scale_y = total_height / h;
      view_width = logical_width;
      view_height = logical_height;
      break;
    default:
      break;
  }
  inverse_scale_x = 1 / scale_x;
  inverse_scale_y = 1 / scale_y;
  origin_x = (view_width - w * scale_x) / 2;
  origin_y = (view_height - h * scale_y) / 2;
  if (origin_at_corner == 0) {
    origin_x -= view_width / 2;
    origin_y -= view_height / 2;
  }
  origin_x = truncated(origin_x * inverse_scale_x) * scale_x;
  origin_y = truncated(origin_y * inverse_scale_y) * scale_y;
  extent_x = w * scale_x;
  extent_y = h * scale_y;
  mouse_view_x = mouse_x * scale_x + origin_x;
  mouse_view_y = mouse_y * scale_y + origin_y;
}

void win::fill_background() {
  HBRUSH brush = CreateSolidBrush(RGB(background[2], background[1], background[0]));
  HGDIOBJ previous = SelectObject(device_context, brush);
  const RECT whole{0, 0, truncated(client_width), truncated(client_height)};
  FillRect(device_context, &whole, brush);
  SelectObject(device_context, previous);
  DeleteObject(brush);
}

void win::invalidate() {
  if (!InvalidateRect(handle, nullptr, FALSE)) discard_last_error();
}
