// The framework's one window, and the client interface through which it (and
// the run loop) calls the application.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class desktop;

// Client operation results: 0 handled; not_handled asks the framework for its
// default; any other value from on_create is a failure code.
constexpr std::int32_t handled = 0;
constexpr std::int32_t not_handled = 7;

class win {
 public:
  // The application's side of every event. The order of the operations is the
  // order of the virtual table; app<> gives each its default.
  class client {
   public:
    virtual std::int32_t on_create() = 0;
    virtual std::int32_t on_paint() = 0;
    virtual std::int32_t on_size() = 0;
    virtual std::int32_t on_mouse_move() = 0;
    virtual std::int32_t on_button_down(std::int32_t button) = 0;
    virtual std::int32_t on_button_up(std::int32_t button) = 0;
    virtual std::int32_t on_wheel(double notches) = 0;
    virtual std::int32_t on_key_down(std::int32_t key_flags, std::int32_t position, std::int32_t key) = 0;
    virtual std::int32_t on_key_up(std::int32_t key_flags, std::int32_t position, std::int32_t key) = 0;
    virtual std::int32_t on_char(std::int32_t key_flags, std::int32_t character) = 0;
    virtual std::int32_t on_close() = 0;
    virtual std::int32_t on_destroy() = 0;
    virtual ~client() = default;
    virtual std::int32_t on_start() = 0;
    virtual std::int32_t on_iteration() = 0;
    virtual std::int32_t on_frame() = 0;
    virtual std::int32_t on_before_wait() = 0;
    virtual std::int32_t on_draw() = 0;
    virtual std::int32_t on_stop() = 0;
  };

  explicit win(desktop* owner) : owner(owner) {}
  win(const win&) = delete;
  win& operator=(const win&) = delete;

  // Hooks for a window variant that attaches a drawing surface; the plain
  // window has none.
  virtual bool redraw_continuously() { return false; }
  virtual std::int32_t surface_open() { return 0; }
  virtual std::int32_t surface_close() { return 0; }
  virtual std::int32_t surface_resize() { return 0; }
  virtual std::int32_t surface_refresh() { return 0; }
  virtual std::int32_t begin_draw(std::int32_t from_loop) { return 0; }
  virtual std::int32_t end_draw(std::int32_t from_loop) { return 0; }

  // Creates the platform window; 0 on success, else the failure code, which is
  // also kept in create_result.
  std::int32_t create_window();
  // Releases whatever the window holds; safe at any time, also twice.
  void destroy_window();
  // Fills the whole client area with the background colour.
  void fill_background();

  client* app = nullptr;
  bool created = false;
  std::int32_t create_result = 0;

 private:
  desktop* owner;
};
