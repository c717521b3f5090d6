// The windows that exist, with everything the subset keeps about each. HWNDs are
// small numbers that are never reused while a host stays installed, so a stale
// handle stays invalid.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/portable/gdi32/dc_table.h"
#include "platform/portable/gdi32/region.h"
#include "platform/portable/gdi32/surface.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/user32/user.h"

namespace portable {

struct window final : drawing_surface {
  HWND handle = nullptr;
  WNDPROC procedure = nullptr;
  ATOM class_atom = 0;  // 0 for a bare window from register_window
  DWORD style = 0;
  DWORD ex_style = 0;
  std::vector<BYTE> extra;  // the class's cbWndExtra bytes
  native_window native = 0;

  RECT outer{};                                          // the window rectangle, screen coordinates
  RECT frame{};                                          // the frame's thickness on each side
  std::int32_t client_width = 0, client_height = 0;      // 0 x 0 while minimised
  std::int32_t restored_width = 0, restored_height = 0;  // the client size to restore
  bool visible = false;
  bool minimized = false;
  bool full_screen = false;
  bool size_pending = false;  // an overlapped window learns its size at its first showing
  bool destroying = false;

  pixel_surface surface;
  region update;  // client coordinates
  bool erase_pending = false;
  region drawn;  // pixels drawn since they were last presented

  RECT client_rect() const { return RECT{0, 0, client_width, client_height}; }
  // Its device contexts draw into its client area.
  pixel_surface& pixels() override { return surface; }
  RECT area() const override { return client_rect(); }
  void mark_drawn(const region& area) override { drawn.unite(area); }
  POINT client_origin() const { return POINT{outer.left + frame.left, outer.top + frame.top}; }
};

class window_table {
 public:
  window& add(WNDPROC procedure);
  void remove(HWND handle);
  window* find(HWND handle);
  window* find_native(native_window native);
  // In the order of creation.
  std::vector<HWND> handles() const;
  // A copy of the list, for loops that send messages, which may destroy windows.
  std::vector<window*> all();
  // Calls `f` with each window, for loops that send no messages: the program
  // looks for drawing to present many times a second, and this costs no copy.
  template <class F>
  void each(F f) {
    for (auto& entry : windows) f(*entry.second);
  }

 private:
  std::map<std::uintptr_t, std::unique_ptr<window>> windows;
  std::uintptr_t last_handle = 0;
};

// The process's window, or null (setting ERROR_INVALID_WINDOW_HANDLE) when there
// is no such window. Window procedures may destroy windows, so a window is
// looked up again after every message sent to it.
window* find_window(HWND handle);

// A window with only a procedure: no class, no native window, hidden. Tests of
// the message queue use these.
HWND register_window(WNDPROC procedure);
void unregister_window(HWND handle);
// Null when `window` is not an existing window.
WNDPROC procedure_of(HWND handle);
// What the device contexts of a window draw on; null when there is no such window.
drawing_surface* window_surface(HWND handle);
std::vector<HWND> all_windows();

}  // namespace portable
