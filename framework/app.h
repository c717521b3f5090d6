// The application base: the one window, the run loop and its timing. The
// application derives from app<win> and overrides the client operations it needs.
#pragma once

#include <cstdint>

#include "framework/desktop.h"
#include "framework/frame_timer.h"
#include "framework/waiter.h"
#include "framework/win.h"
#include "platform/win32.h"

template <class Window>
class app : public Window::client {
 public:
  app() : window(&desktop) {
    frame_timer.period = 0;
    frame_timer.origin = -1;
    window.app = this;
  }
  app(const app&) = delete;
  app& operator=(const app&) = delete;

  // Leaves the cursor's display counter as it found it.
  ~app() override {
    for (; desktop.cursor_count > 0; --desktop.cursor_count) ShowCursor(FALSE);
    for (; desktop.cursor_count < 0; ++desktop.cursor_count) ShowCursor(TRUE);
  }

  std::int32_t on_create() override { return not_handled; }
  std::int32_t on_paint() override {
    window.fill_background();
    on_draw();
    return handled;
  }
  std::int32_t on_size() override { return not_handled; }
  std::int32_t on_mouse_move() override { return not_handled; }
  std::int32_t on_button_down(std::int32_t button) override { return not_handled; }
  std::int32_t on_button_up(std::int32_t button) override { return not_handled; }
  std::int32_t on_wheel(double notches) override { return not_handled; }
  std::int32_t on_key_down(std::int32_t key_flags, std::int32_t position, std::int32_t key) override {
    return not_handled;
  }
  std::int32_t on_key_up(std::int32_t key_flags, std::int32_t position, std::int32_t key) override {
    return not_handled;
  }
  std::int32_t on_char(std::int32_t key_flags, std::int32_t character) override { return not_handled; }
  std::int32_t on_close() override { return not_handled; }
  std::int32_t on_destroy() override { return not_handled; }
  std::int32_t on_start() override { return not_handled; }
  std::int32_t on_iteration() override { return not_handled; }
  std::int32_t on_frame() override { return not_handled; }
  std::int32_t on_before_wait() override { return not_handled; }
  std::int32_t on_draw() override { return not_handled; }
  std::int32_t on_stop() override { return not_handled; }

  // Runs the program: on_start, the window, the loop until a quit message or a
  // failed wait, the teardown, on_stop. Returns the exit code: 0, or 1 when no
  // window could be created at start-up (nothing could ever end the loop then).
  std::int32_t run(std::int32_t argc, WCHAR** argv) {
    arg_count = argc;
    arg_vector = argv;
    on_start();
    if (window.create_window() != 0) {
      window.destroy_window();
      MessageBoxW(nullptr, TEXT("No window could be created, so the program cannot run."), nullptr,
                  MB_OK | MB_ICONERROR);
      on_stop();
      return 1;
    }
    for (;;) {
      on_iteration();
      if (frame_timer_enabled && (window.redraw_continuously() || frame_timer.due()) &&
          on_frame() == not_handled) {
        draw_default_frame();
      }
      waiter.reset();
      desktop.pump_messages(waiter);
      if (frame_timer_enabled) {
        if (window.redraw_continuously())
          waiter.no_wait();
        else
          waiter.add_deadline(frame_timer.next_frame_time());
      }
      on_before_wait();
      if (desktop.quit_requested || waiter.wait() != waiter::woke) break;
    }
    window.destroy_window();
    on_stop();
    return 0;
  }

  std::int32_t arg_count = 0;
  WCHAR** arg_vector = nullptr;
  ::desktop desktop;
  Window window;
  ::waiter waiter;
  bool frame_timer_enabled = false;
  ::frame_timer frame_timer;

 private:
  void draw_default_frame() {
    window.begin_draw(1);
    if (window.redraw_continuously()) window.fill_background();
    on_draw();
    window.end_draw(1);
  }
};
