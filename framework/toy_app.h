// An application with the keys every small program of this kind wants: Q and
// Escape quit, F1 toggles full screen. Auto-repeated presses are ignored, so a
// held key acts once.
#pragma once

#include "framework/app.h"
#include "framework/key_translation.h"

template <class Window>
class toy_app : public app<Window> {
 public:
  std::int32_t on_key_down(std::int32_t key_flags, std::int32_t position, std::int32_t key) override {
    if (key_flags & 0xF) return not_handled;
    switch (key) {
      case 'Q':
      case key::escape:
        PostQuitMessage(0);
        return handled;
      case key::f1:
        toggle_full_screen();
        return handled;
      default:
        return not_handled;
    }
  }

  // The client size to come back to from full screen.
  double windowed_size[2] = {400.0, 400.0};

 private:
  void toggle_full_screen() {
    Window& window = this->window;
    if (window.window_mode == Window::full_screen) {
      window.set_mode(windowed_size[0], windowed_size[1], Window::resizable);
    } else {
      windowed_size[0] = window.client_width;
      windowed_size[1] = window.client_height;
      if (window.set_mode(0, 0, Window::full_screen) != 0) come_back_framed();
    }
  }

  // Full screen failed (the display refused the mode) after the framed window
  // was torn down: the framed window comes back, and if even that cannot be
  // made the program ends rather than run on with no window to close.
  void come_back_framed() {
    Window& window = this->window;
    window.set_mode(windowed_size[0], windowed_size[1], Window::resizable);
    if (window.created) return;
    if (window.create_window() != 0) {
      window.destroy_window();
      PostQuitMessage(0);
    }
  }
};
