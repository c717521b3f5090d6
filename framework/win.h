// The framework's one window, and the client interface through which it (and
// the run loop) calls the application.
//
// The window mirrors the client size, mouse, buttons and modifier keys in plain
// fields that the application reads. Client positions have their origin at the
// bottom-left pixel with y growing upward; desktop positions likewise from the
// bottom of the virtual screen (see desktop.h).
#pragma once

#include <cstdint>

#include "cp/xstring.h"
#include "framework/monitor.h"
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

  // window_mode values
  static constexpr std::int32_t resizable = 0;
  static constexpr std::int32_t keep_aspect = 1;
  static constexpr std::int32_t fixed_size = 2;
  static constexpr std::int32_t full_screen = 3;
  static constexpr std::int32_t resizable_default = 4;

  // scale_mode values: how the logical area (with its margins) maps onto the
  // client area.
  static constexpr std::int32_t unscaled = 0;  // one view unit per pixel
  // The logical width spans the client width, or failing that the height its
  // height; unscaled when neither is set.
  static constexpr std::int32_t scale_to_width = 1;
  static constexpr std::int32_t scale_to_cover = 2;  // fills the client; the excess is cut off
  static constexpr std::int32_t scale_to_fit = 3;    // all of it shows, with bands beside it
  static constexpr std::int32_t stretch = 4;         // each axis on its own; the aspect is lost

  explicit win(desktop* owner);
  virtual ~win() = default;
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

  // Registers a class of its own and creates the platform window with the
  // styles of window_mode; 0 on success, else the failure code, which is also
  // kept in create_result.
  std::int32_t create_window();
  // Releases whatever the window holds, in reverse order of creation; safe at
  // any time, also twice.
  void destroy_window();
  // Asks for a client size and a window mode. Before the window exists it only
  // records the request; between framed and full screen it re-creates the
  // window; otherwise it resizes in place, keeping the window on its monitor's
  // work area. Returns 0 or the failure code of a re-creation.
  std::int32_t set_mode(double width, double height, std::int32_t mode);
  void set_title(const cp::xstring<WCHAR>& text);
  monitor monitor_of_window() const;

  // The dispatch of every message of the platform window.
  LRESULT window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Recomputes the view outputs from the client size, the logical size, the
  // margins, the scale mode and the mouse position.
  void update_view();
  // Fills the whole client area with the background colour.
  void fill_background();
  // Asks for the whole client area to be painted.
  void invalidate();

  client* app = nullptr;

  // The view: inputs, then outputs.
  double logical_width = 0, logical_height = 0;
  double margin_x = 0, margin_y = 0;
  std::int32_t scale_mode = unscaled;
  std::int32_t origin_at_corner = 1;
  double view_width = 0, view_height = 0;
  double scale_x = 0, scale_y = 0;
  double origin_x = 0, origin_y = 0;
  double inverse_scale_x = 0, inverse_scale_y = 0;
  double extent_x = 0, extent_y = 0;
  double mouse_view_x = 0, mouse_view_y = 0;

  bool created = false;
  DWORD style = 0, extended_style = 0;
  ATOM class_atom = 0;
  HWND handle = nullptr;
  HDC device_context = nullptr;
  bool display_changed = false;
  cp::xstring<WCHAR> display_device;  // the monitor whose mode was switched
  std::uint16_t pending_high_surrogate = 0;

  // Valid only during on_paint.
  RECT paint_rect{};
  HRGN update_region = nullptr;

  // Input state, in client pixels with y upward.
  double client_width = 0, client_height = 0;
  bool button_down[3] = {};
  std::int64_t press_time[3] = {};
  std::int32_t modifier_flags = 0;
  double mouse_x = 0, mouse_y = 0;

  std::uint8_t background[4] = {};  // blue, green, red, unused
  desktop* owner;

  bool position_known = false;
  double position_x = 0, position_y = 0;  // top-left corner, desktop coordinates
  cp::xstring<WCHAR> title;
  std::int32_t window_mode = resizable_default;
  double requested_width = 0, requested_height = 0;
  std::int32_t create_result = 0;

 private:
  static LRESULT CALLBACK registered_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  LRESULT on_create_message(HWND window);
  LRESULT on_key_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT on_char_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void on_paint_message();
  void on_sizing(WPARAM edge, RECT& proposed);
  void store_mouse(std::int32_t x, std::int32_t row);
  void read_client_size();
  std::int32_t resize_in_place();
};
