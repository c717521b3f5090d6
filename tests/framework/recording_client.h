// An application for the window tests: it writes down each client call the
// window makes, as a short line, and answers the key, character and close
// calls as the test asks. Its window is the framework's own, on whatever host
// is installed.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/app.h"

namespace framework_test {

// printf-style, for the lines of the journal.
inline std::string line(const char* format, ...) {
  char text[96];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

class recording_client : public app<win> {
 public:
  ~recording_client() override { window.destroy_window(); }

  // A shown framed window with a width x height client area in `mode`, its
  // first messages handled and the journal emptied.
  void open(double width = 500, double height = 400, std::int32_t mode = win::resizable) {
    window.set_mode(width, height, mode);
    if (window.create_window() != 0) journal.push_back("creation failed");
    pump();
    journal.clear();
  }
  void pump() { desktop.pump_messages(waiter); }

  std::int32_t on_create() override { return noted("create"); }
  std::int32_t on_size() override {
    return noted(line("size %.0fx%.0f", window.client_width, window.client_height));
  }
  std::int32_t on_mouse_move() override { return noted("move"); }
  std::int32_t on_button_down(std::int32_t button) override { return noted(line("button_down %d", button)); }
  std::int32_t on_button_up(std::int32_t button) override { return noted(line("button_up %d", button)); }
  std::int32_t on_wheel(double notches) override { return noted(line("wheel %.4f", notches)); }
  std::int32_t on_key_down(std::int32_t flags, std::int32_t position, std::int32_t key) override {
    return noted(line("down %d %x %x", flags, position, key), result);
  }
  std::int32_t on_key_up(std::int32_t flags, std::int32_t position, std::int32_t key) override {
    return noted(line("up %d %x %x", flags, position, key), result);
  }
  std::int32_t on_char(std::int32_t flags, std::int32_t character) override {
    return noted(line("char %d %x", flags, character), result);
  }
  std::int32_t on_close() override { return noted("close", result); }
  std::int32_t on_destroy() override { return noted("destroy"); }

  std::vector<std::string> journal;
  // What the key, character and close calls answer.
  std::int32_t result = handled;

 private:
  std::int32_t noted(std::string entry, std::int32_t answer = not_handled) {
    journal.push_back(std::move(entry));
    return answer;
  }
};

}  // namespace framework_test
