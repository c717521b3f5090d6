// A private X display for tests that open real windows: an Xvfb server started
// for this test process alone, so that tests neither need nor disturb the
// desktop they run from, and parallel test processes never share a screen.
#pragma once

#include <sys/types.h>

#include <string>

namespace testing_display {

class xvfb_display {
 public:
  // Starts Xvfb with one screen of width x height at 24 bits and points
  // DISPLAY at it (WAYLAND_DISPLAY is cleared, so that SDL takes X11).
  xvfb_display(int width, int height);
  ~xvfb_display();
  xvfb_display(const xvfb_display&) = delete;
  xvfb_display& operator=(const xvfb_display&) = delete;

  // Empty when the server runs; else why it does not.
  const std::string& error() const { return failure; }
  const std::string& name() const { return display_name; }  // ":N"

 private:
  pid_t server = -1;
  std::string display_name;
  std::string failure;
};

// The display of this process, started at the first call: 1024 x 768.
const xvfb_display& private_display();

}  // namespace testing_display
