// Window placement: MoveWindow, the window and client rectangles, the frame,
// and the host's reports of moves, resizes and minimising.
#include "platform/portable/user32/window_placement.h"

#include <algorithm>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/user32/display_modes.h"
#include "platform/portable/user32/update_region.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window.h"

namespace portable {
namespace {

RECT outer_around_client(const window& w, POINT origin, std::int32_t width, std::int32_t height) {
  return RECT{origin.x - w.frame.left, origin.y - w.frame.top, origin.x + width + w.frame.right,
              origin.y + height + w.frame.bottom};
}

std::int32_t inner_extent(LONG outer_extent, LONG frame_a, LONG frame_b) {
  return std::max<std::int32_t>(0, outer_extent - frame_a - frame_b);
}

}  // namespace

void resize_client(window& w, std::int32_t width, std::int32_t height) {
  w.client_width = width;
  w.client_height = height;
  w.surface.resize(width, height);
  const region inside(w.client_rect());
  w.update.intersect(inside);
  w.drawn.intersect(inside);
}

void set_outer_rect(HWND handle, const RECT& outer, bool repaint, bool tell_host) {
  window* w = find_window(handle);
  if (!w) return;
  const std::int32_t width = inner_extent(outer.right - outer.left, w->frame.left, w->frame.right);
  const std::int32_t height = inner_extent(outer.bottom - outer.top, w->frame.top, w->frame.bottom);
  if (w->minimized) {  // takes effect when the window is restored
    w->outer = outer;
    w->restored_width = width;
    w->restored_height = height;
    return;
  }
  const POINT old_origin = w->client_origin();
  const region old_client(w->client_rect());
  const bool resized = width != w->client_width || height != w->client_height;
  w->outer = outer;
  const POINT origin = w->client_origin();
  const bool moved = origin.x != old_origin.x || origin.y != old_origin.y;
  if (resized) {
    resize_client(*w, width, height);
    if (repaint) invalidate(*w, region(w->client_rect()).subtract(old_client), true);
  }
  if (tell_host && w->native) current_host().place_window(w->native, origin.x, origin.y, width, height);
  update_full_screen(*w);
  if (moved) SendMessageW(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  if (resized && (w = user_process().windows.find(handle))) {
    w->size_pending = false;
    SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
  }
}

void client_resized(HWND handle, std::int32_t width, std::int32_t height) {
  window* w = find_window(handle);
  if (!w || (width == w->client_width && height == w->client_height)) return;
  RECT outer = outer_around_client(*w, w->client_origin(), width, height);
  const RECT proposed = outer;
  SendMessageW(handle, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&outer));
  set_outer_rect(handle, outer, true, !same_rect(outer, proposed));
  // The host's surface for the window is a new one after a resize: it gets all
  // the pixels again.
  if ((w = user_process().windows.find(handle))) w->mark_drawn(region(w->client_rect()));
}

void client_moved(HWND handle, std::int32_t x, std::int32_t y) {
  window* w = find_window(handle);
  if (!w) return;
  const std::int32_t width = w->minimized ? w->restored_width : w->client_width;
  const std::int32_t height = w->minimized ? w->restored_height : w->client_height;
  set_outer_rect(handle, outer_around_client(*w, POINT{x, y}, width, height), false, false);
}

void set_minimized(HWND handle, bool minimized) {
  window* w = find_window(handle);
  if (!w || w->minimized == minimized) return;
  if (minimized) {
    w->restored_width = w->client_width;
    w->restored_height = w->client_height;
    resize_client(*w, 0, 0);
  } else {
    resize_client(*w, w->restored_width, w->restored_height);
  }
  w->minimized = minimized;
  invalidate(*w, region(w->client_rect()), true);
  SendMessageW(handle, WM_SIZE, minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
               MAKELPARAM(w->client_width, w->client_height));
}

void send_size_and_move(HWND handle) {
  window* w = find_window(handle);
  if (!w) return;
  const POINT origin = w->client_origin();
  SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
  if (user_process().windows.find(handle)) SendMessageW(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

}  // namespace portable

using namespace portable;

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  if (!find_window(window)) return FALSE;
  set_outer_rect(window, RECT{x, y, x + width, y + height}, repaint, true);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  const portable::window* w = find_window(window);
  if (!w || !rect) return FALSE;
  *rect = w->client_rect();
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  const portable::window* w = find_window(window);
  if (!w || !rect) return FALSE;
  *rect = w->outer;
  return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style) {
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT frame = frame_of(style);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}
