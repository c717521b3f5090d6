// The harness of the whole-viewer tests: one run of the program on a fresh
// scripted machine, and the checks that read the pixels it presented.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/settings.h"
#include "tests/support/scripted_host.h"
#include "viewer/myapp.h"

namespace viewer_test {

constexpr std::int64_t ms = 1000000;
constexpr std::int64_t second = 1000 * ms;
constexpr double half_scale = 16384.0, full_scale = 32767.0;
inline constexpr char failure_text[] = "Sorry, looks like your audio system is not compatible with Warblet.";

using screenshot = scripted::native_window_record;

inline std::uint32_t at(const screenshot& shot, std::int32_t x, std::int32_t y) {
  return shot.screen[static_cast<std::size_t>(y) * shot.screen_width + x];
}

// Where a pixel lies on the colour ramp black, blue, cyan, green, yellow, red:
// 0 for black up to 1275 for pure red.
inline int heat(std::uint32_t pixel) {
  const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
  if (r == 255) return 1275 - g;
  if (r > 0) return 765 + r;
  if (g == 255) return 765 - b;
  if (g > 0) return 255 + g;
  return b;
}

// The middle of the hottest rows of client column x.
inline double hottest_row(const screenshot& shot, std::int32_t x) {
  int hottest = -1, first = 0, last = 0;
  for (std::int32_t y = 0; y < shot.screen_height; ++y) {
    const int h = heat(at(shot, x, y));
    if (h > hottest) hottest = h, first = y;
    if (h == hottest) last = y;
  }
  return (first + last) / 2.0;
}

// The client row in which the logarithmic axis (60 Hz to 2000 Hz over the
// height) shows a frequency.
inline double predicted_row(std::int32_t height, double hz) {
  return height - 1 - height * std::log(hz / 60.0) / std::log(2000.0 / 60.0);
}

// The leftmost column with anything in it; the width when all is black.
inline std::int32_t first_lit_column(const screenshot& shot) {
  std::int32_t first = shot.screen_width;
  for (std::int32_t y = 0; y < shot.screen_height; ++y)
    for (std::int32_t x = 0; x < first; ++x)
      if (at(shot, x, y) != 0) first = x;
  return first;
}

// Text is drawn grey or white; the spectrogram's colours never are.
inline bool is_grey(std::uint32_t pixel) {
  const std::uint32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
  return r > 0 && r == g && g == b;
}

// One run of the viewer on a fresh scripted machine. The settings are
// program-wide, so whatever a run's keys flip is put back afterwards.
struct viewer_run {
  settings_record saved = settings;
  scripted::host host;
  myapp app;  // after the host it runs on

  ~viewer_run() { settings = saved; }

  // Runs until the program ends, or until a close request at `until`.
  std::int32_t run(std::int64_t until) {
    host.close_request_at(until);
    return app.run(0, nullptr);
  }
  void tone_at(std::int64_t t, double hz, double amplitude) {
    host.at(t, [this, hz, amplitude] { host.microphone().sine(hz, amplitude); });
  }
  // Keys going down at t in whatever window is newest then, the last one typing `text`.
  void keys_at(std::int64_t t, std::vector<scripted::key_press> keys, std::u16string text = u"") {
    host.at(t, [this, keys, text] {
      const portable::native_window w = host.newest_window();
      for (const scripted::key_press& key : keys) host.event_now(scripted::key_down(w, key));
      if (!text.empty()) host.event_now(scripted::typed(w, text));
    });
  }
  void event_at(std::int64_t t, std::function<portable::host_event(portable::native_window)> make) {
    host.at(t, [this, make] { host.event_now(make(host.newest_window())); });
  }
  void resize_at(std::int64_t t, std::int32_t width, std::int32_t height) {
    event_at(t, [width, height](portable::native_window w) { return scripted::resized(w, width, height); });
  }
  void shoot_at(std::int64_t t, screenshot& into) {
    host.at(t, [this, &into] { into = host.window(host.newest_window()); });
  }
};

inline const scripted::key_press space{VK_SPACE, 0x39}, key_a{'A', 0x1E}, key_l{'L', 0x26}, key_q{'Q', 0x10},
    shift{VK_SHIFT, 0x2A}, escape{VK_ESCAPE, 0x01}, f1{VK_F1, 0x3B};

// The tone's line runs through every column from `first` to the right edge
// (the newest four by default).
inline void expect_tone_at_right_edge(const screenshot& shot, double hz, std::int32_t first = -1) {
  const double expected = predicted_row(shot.screen_height, hz);
  for (std::int32_t x = first < 0 ? shot.screen_width - 4 : first; x < shot.screen_width; ++x) {
    SCOPED_TRACE("column " + std::to_string(x));
    ASSERT_NEAR(hottest_row(shot, x), expected, 1.0);
    const std::uint32_t on_the_line = at(shot, x, static_cast<std::int32_t>(std::lround(expected)));
    ASSERT_EQ(on_the_line >> 16, 0xFFu) << "red at the tone";
  }
}

}  // namespace viewer_test
