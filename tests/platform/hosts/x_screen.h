// The X server as a test sees it: the pixels on the screen, and the things a
// window manager or a user does to a window. Kept apart from the tests because
// Xlib's macros (None, Bool, Status) collide with GoogleTest's names.
#pragma once

#include <cstdint>
#include <string>

namespace testing_display {

class x_screen {
 public:
  explicit x_screen(const std::string& display_name);
  ~x_screen();
  x_screen(const x_screen&) = delete;
  x_screen& operator=(const x_screen&) = delete;

  bool connected() const { return display != nullptr; }
  // The screen's pixel as 0xRRGGBB.
  std::uint32_t pixel(int x, int y);
  // The rest act on the X window of an SDL window (by SDL's window id) and
  // return once the server has done them.
  // Sends what the program's own connection holds and waits until the server
  // has done it: drawing reaches the screen by itself only as the program
  // next waits.
  void wait_for_drawing(std::uint32_t sdl_window);
  void move_resize(std::uint32_t sdl_window, int x, int y, int width, int height);
  // WM_DELETE_WINDOW, as a window manager sends when the user closes a window.
  void ask_to_close(std::uint32_t sdl_window);
  // A press and release of the key bearing the keysym (XStringToKeysym's names).
  void type_key(std::uint32_t sdl_window, const char* keysym_name);
  void warp_pointer(int x, int y);

 private:
  void* display = nullptr;  // Display*
};

}  // namespace testing_display
