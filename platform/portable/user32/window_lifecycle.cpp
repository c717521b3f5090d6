// The life of a window: CreateWindowExW, ShowWindow, UpdateWindow and
// DestroyWindow, with the messages Windows sends during each.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/utf.h"
#include "platform/portable/user32/display_modes.h"
#include "platform/portable/user32/message_queue.h"
#include "platform/portable/user32/program_icon.h"
#include "platform/portable/user32/update_region.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window.h"
#include "platform/portable/user32/window_placement.h"

namespace portable {
namespace {

// Where a window asked for with CW_USEDEFAULT goes: a popup to 0, 0 with no
// size, an overlapped window to the primary monitor's work area (its corner,
// until the host reports where it really put the window) with three quarters of
// that area's size.
RECT initial_outer_rect(bool popup, int x, int y, int width, int height) {
  if (popup) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
    return RECT{x, y, x + width, y + height};
  }
  const screen_rect work = current_host().monitors().front().work_area;
  if (x == CW_USEDEFAULT) {
    x = work.left;
    y = work.top;
  }
  if (width == CW_USEDEFAULT) {
    width = (work.right - work.left) * 3 / 4;
    height = (work.bottom - work.top) * 3 / 4;
  }
  return RECT{x, y, x + width, y + height};
}

std::string title_of(LPCWSTR text) { return text ? utf8_from_utf16(text) : std::string(); }

// Sends the window its last messages and forgets it.
void destroy(HWND handle, bool send_destroy) {
  window* w = user_process().windows.find(handle);
  if (!w || w->destroying) return;  // its procedure destroyed it already
  w->destroying = true;
  if (send_destroy) SendMessageW(handle, WM_DESTROY, 0, 0);
  SendMessageW(handle, WM_NCDESTROY, 0, 0);
  w = user_process().windows.find(handle);
  drop_messages_of(handle);
  gdi_process().dcs.remove_all_of(handle);
  if (w->native) current_host().destroy_window(w->native);
  if (window_class* c = user_process().classes.find(w->class_atom)) --c->windows;
  user_process().windows.remove(handle);
}

// The frame WM_NCCALCSIZE left around the client rectangle; the native window
// follows if it differs from the frame the window was made with.
void take_frame(HWND handle, const RECT& client) {
  window* w = user_process().windows.find(handle);
  if (!w) return;
  const RECT frame{client.left - w->outer.left, client.top - w->outer.top, w->outer.right - client.right,
                   w->outer.bottom - client.bottom};
  if (same_rect(frame, w->frame)) return;
  w->frame = frame;
  resize_client(*w, std::max<LONG>(0, client.right - client.left),
                std::max<LONG>(0, client.bottom - client.top));
  current_host().place_window(w->native, client.left, client.top, w->client_width, w->client_height);
}

}  // namespace
}  // namespace portable

using namespace portable;

HWND WINAPI CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR window_name, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param) {
  if (parent || menu) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const window_class* found = user_process().classes.find(class_name);
  if (!found) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const window_class registered = *found;
  const bool popup = (style & WS_POPUP) != 0;
  if (!popup) style |= WS_CAPTION | WS_CLIPSIBLINGS;  // overlapped windows always have a caption
  const bool position_given = popup || x != CW_USEDEFAULT;
  const RECT outer = initial_outer_rect(popup, x, y, width, height);
  const RECT frame = frame_of(style);

  window_spec wanted;
  wanted.title_utf8 = title_of(window_name);
  wanted.position_known = position_given;
  wanted.x = outer.left + frame.left;
  wanted.y = outer.top + frame.top;
  wanted.width = std::max<LONG>(0, outer.right - outer.left - frame.left - frame.right);
  wanted.height = std::max<LONG>(0, outer.bottom - outer.top - frame.top - frame.bottom);
  // By the style, not by the frame's size: the host may not know its frame
  // before it has framed a window, or may draw none of its own (a Wayland
  // compositor leaves it to the window).
  wanted.framed = (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
  if (const icon_picture* icon = program_icon(registered.icon)) {
    wanted.icon_rgba = icon->rgba;
    wanted.icon_width = icon->width;
    wanted.icon_height = icon->height;
  }
  std::string error;
  const native_window native = current_host().create_window(wanted, error);
  if (!native) {
    std::fprintf(stderr, "warblet: no window could be made: %s\n", error.c_str());
    SetLastError(ERROR_GEN_FAILURE);
    return nullptr;
  }

  window& made = user_process().windows.add(registered.procedure);
  made.class_atom = registered.atom;
  made.style = style & ~WS_VISIBLE;  // visibility is kept apart
  made.ex_style = ex_style;
  made.extra.assign(static_cast<std::size_t>(registered.window_extra), 0);
  made.native = native;
  made.outer = outer;
  made.frame = frame;
  made.size_pending = !popup;
  resize_client(made, wanted.width, wanted.height);
  ++user_process().classes.find(registered.atom)->windows;
  const HWND handle = made.handle;

  CREATESTRUCTW create{param,
                       instance,
                       menu,
                       parent,
                       static_cast<int>(outer.bottom - outer.top),
                       static_cast<int>(outer.right - outer.left),
                       static_cast<int>(outer.top),
                       static_cast<int>(outer.left),
                       static_cast<LONG>(style),
                       window_name,
                       class_name,
                       ex_style};
  if (!SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
      !user_process().windows.find(handle)) {
    destroy(handle, false);
    return nullptr;
  }
  RECT client = outer;
  SendMessageW(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  take_frame(handle, client);
  if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1 ||
      !user_process().windows.find(handle)) {
    destroy(handle, true);
    return nullptr;
  }
  if (popup) send_size_and_move(handle);
  if ((style & WS_VISIBLE) && user_process().windows.find(handle)) ShowWindow(handle, SW_SHOW);
  return user_process().windows.find(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND window) {
  const portable::window* w = find_window(window);
  if (!w || w->destroying) return FALSE;
  destroy(window, true);
  return TRUE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
  portable::window* w = find_window(window);
  if (!w) return FALSE;
  const bool was_visible = w->visible;
  const bool show = command != SW_HIDE;
  if (show == was_visible) return was_visible;
  SendMessageW(window, WM_SHOWWINDOW, show, 0);
  if (!(w = user_process().windows.find(window))) return was_visible;
  w->visible = show;
  if (show) {
    if (w->native) current_host().show_window(w->native, true);
    invalidate(*w, region(w->client_rect()), true);
    w->mark_drawn(region(w->client_rect()));
    update_full_screen(*w);
    if (w->size_pending) {
      w->size_pending = false;
      send_size_and_move(window);
    }
  } else {
    update_full_screen(*w);
    if (w->native) current_host().show_window(w->native, false);
    w->update = region();
    w->erase_pending = false;
  }
  return was_visible;
}

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) {
  const portable::window* w = find_window(window);
  if (!w) return FALSE;
  if (w->native) current_host().set_title(w->native, title_of(text));
  return TRUE;
}
