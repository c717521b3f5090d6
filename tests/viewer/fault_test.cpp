// The whole viewer under faults: each one is injected into a running program,
// which must end in a defined state: no crash, no hang (the run ends at the
// close request, or right after its failure message), nothing left open or
// leaked, and the picture on screen agreeing with the ring image.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/portable/gdi32/gdi_state.h"
#include "tests/viewer/viewer_run.h"

namespace {

using namespace viewer_test;
using fallible = portable::host::fallible;

// Client pixels that differ from the ring column and row they must show:
// client column x shows ring column (scrolled_column + x) mod W and client row
// y the stored row H - 1 - y. Columns written since the last scroll are not
// shown yet, and the pixels they overwrote are gone, so those are skipped.
// `compared` counts the columns checked.
int pixels_unlike_the_ring(const myapp& app, const screenshot& shot, std::int32_t& compared) {
  compared = 0;
  const std::int32_t width = app.image.width, height = app.image.height;
  if (!app.ready || shot.screen_width != width || shot.screen_height != height) return 0;
  if (app.unscrolled_columns >= static_cast<std::uint32_t>(width)) return 0;
  int differing = 0;
  for (std::int32_t x = static_cast<std::int32_t>(app.unscrolled_columns); x < width; ++x, ++compared) {
    const std::int32_t column = (app.scrolled_column + x) % width;
    for (std::int32_t y = 0; y < height; ++y) {
      const unsigned char* stored =
          app.image.pixels + static_cast<std::size_t>(height - 1 - y) * app.image.stride;
      std::uint32_t word;
      std::memcpy(&word, stored + 4 * column, sizeof word);
      differing += (word & 0xFFFFFF) != (at(shot, x, y) & 0xFFFFFF);
    }
  }
  return differing;
}

// What a check of the picture found.
struct picture_check {
  bool done = false;
  std::int32_t compared = 0;
  int differing = 0;
};

// Stops the sound at t, so that no column is written any more, and compares
// the picture with the ring a few passes later.
void compare_picture_at(viewer_run& v, std::int64_t t, picture_check& into) {
  v.host.at(t, [&v] { v.host.microphone().unplug(); });
  v.host.at(t + 150 * ms, [&v, &into] {
    into.done = true;
    into.differing = pixels_unlike_the_ring(v.app, v.host.window(v.host.newest_window()), into.compared);
  });
}

// The program does not run for `duration`: a machine too busy, or suspended.
void freeze_at(viewer_run& v, std::int64_t t, std::int64_t duration) {
  v.host.at(t, [&v, duration] { v.host.set_now(v.host.now() + duration); });
}

// The program sits in a modal loop for `duration` (on Windows: the user drags
// the window): it keeps entering the platform, which fills capture buffers,
// but never comes back to its own loop to take them.
void modal_loop_at(viewer_run& v, std::int64_t t, std::int64_t duration) {
  v.host.at(t, [&v, duration] {
    const std::int64_t end = v.host.now() + duration;
    while (v.host.now() < end) {
      v.host.set_now(v.host.now() + 10 * ms);
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
  });
}

// A failed pixel allocation is reported like any other failed set-up, at
// start-up or at a resize, instead of the first column writing through a null
// pointer.
TEST(ViewerFaults, AFailedPictureAllocationShowsTheFailureMessage) {
  for (const bool at_start : {true, false}) {
    SCOPED_TRACE(at_start ? "at start-up" : "at a resize to 333 x 257");
    viewer_run v;
    v.tone_at(0, 1000.0, half_scale);
    if (at_start) {
      v.host.fail_pixel_allocation = true;
    } else {
      v.host.at(1 * second, [&v] { v.host.fail_pixel_allocation = true; });
      v.resize_at(1 * second, 333, 257);
    }
    EXPECT_EQ(v.run(5 * second), 0);
    ASSERT_EQ(v.host.message_boxes().size(), 1u);
    EXPECT_EQ(v.host.message_boxes()[0].text, failure_text);
    EXPECT_LT(v.host.now(), (at_start ? 0 : 1 * second) + 100 * ms);
    EXPECT_EQ(v.host.microphone().open_captures(), 0);
  }
}

// When a pass writes W columns or more, the scroll by (count mod W) would move
// nothing and paint nothing: a window a pixel or two wide, or a long stall.
TEST(ViewerFaults, APassThatWritesTheWholeRingRepaintsThePicture) {
  struct pass_case {
    const char* name;
    std::int32_t width;
    std::int64_t freeze;  // a stall at 2 s
  };
  const pass_case cases[] = {
      {"one pixel wide", 1, 0},
      {"two pixels wide", 2, 0},
      {"100 wide, a stall of 1.7 s", 100, 1700 * ms},
  };
  for (const pass_case& c : cases) {
    SCOPED_TRACE(c.name);
    viewer_run v;
    v.resize_at(100 * ms, c.width, 300);
    v.tone_at(500 * ms, 1000.0, half_scale);
    if (c.freeze) freeze_at(v, 2 * second, c.freeze);
    picture_check picture;
    compare_picture_at(v, 2 * second + c.freeze + 5 * ms, picture);
    screenshot shot;
    v.shoot_at(2 * second + c.freeze + 200 * ms, shot);
    EXPECT_EQ(v.run(2 * second + c.freeze + 300 * ms), 0);

    ASSERT_TRUE(picture.done);
    EXPECT_EQ(picture.compared, c.width);
    EXPECT_EQ(picture.differing, 0);
    ASSERT_EQ(shot.screen_width, c.width);
    EXPECT_NEAR(hottest_row(shot, c.width - 1), predicted_row(300, 1000.0), 1.0)
        << "the newest column shows the tone";
  }
}

// A stall longer than the capture ring lasts fills every buffer: the whole
// ring is new, though the end of the completed samples is where it was.
TEST(ViewerFaults, AStallOfAWholeRingOrMoreKeepsTheRingsTwoSeconds) {
  for (const std::int64_t stall : {3 * second, 10 * second}) {
    SCOPED_TRACE(stall / second);
    viewer_run v;
    v.tone_at(0, 1000.0, half_scale);
    std::int32_t before = -1, after = -1;
    v.host.at(1 * second, [&] { before = v.app.write_column; });
    modal_loop_at(v, 1 * second, stall);
    v.host.at(1 * second + stall + 5 * ms, [&] { after = v.app.write_column; });
    EXPECT_EQ(v.run(1 * second + stall + 500 * ms), 0);

    // 16080 samples of 128 each: 125 columns at once, and one or two of the pass.
    EXPECT_NEAR((500 + after - before) % 500, 126, 2);
  }
}

// One fault per row, injected into a running viewer with a steady tone.
struct fault_case {
  const char* name;
  std::function<void(viewer_run&)> inject;
  bool apologises;       // ends with the failure message (else runs to the close request)
  std::int64_t ends_by;  // with the message: the program has ended by then
};

std::vector<std::int32_t> resize_cycle() {
  return {0, 300, 300, 0, 1, 1, 1, 1000, 0, 0, 333, 257, 2, 2, 640, 480, 500, 400};
}

void add_buffer_fails_every(viewer_run& v, int n, std::int64_t from, std::int64_t to) {
  v.host.failing = [&v, n, from, to, calls = 0](fallible call) mutable {
    return call == fallible::wave_in_add_buffer && v.host.now() >= from && v.host.now() < to &&
           ++calls % n == 0;
  };
}

void call_fails_between(viewer_run& v, fallible which, std::int64_t from, std::int64_t to) {
  v.host.failing = [&v, which, from, to](fallible call) {
    return call == which && v.host.now() >= from && v.host.now() < to;
  };
}

const fault_case fault_cases[] = {
    {"waveInOpen refuses", [](viewer_run& v) { v.host.microphone().refuse("no capture device"); }, true,
     100 * ms},
    {"waveInAddBuffer fails on every fifth re-queue for 2 s",
     [](viewer_run& v) { add_buffer_fails_every(v, 5, 1 * second, 3 * second); }, false, 0},
    {"waveInAddBuffer fails on every re-queue for 3 s",
     [](viewer_run& v) { add_buffer_fails_every(v, 1, 1 * second, 4 * second); }, false, 0},
    {"the device disappears for 2 s and comes back",
     [](viewer_run& v) {
       v.host.at(1 * second, [&v] { v.host.microphone().unplug(); });
       v.host.at(3 * second, [&v] { v.host.microphone().plug_in(); });
     },
     false, 0},
    {"the device is gone at a resize",
     [](viewer_run& v) {
       v.host.at(1 * second, [&v] { v.host.microphone().unplug(); });
       v.resize_at(1500 * ms, 400, 300);
     },
     true, 1600 * ms},
    {"DrawDibOpen fails", [](viewer_run& v) { v.host.fail_drawdib = true; }, true, 100 * ms},
    {"the picture's allocation fails at a resize",
     [](viewer_run& v) {
       v.host.at(1 * second, [&v] { v.host.fail_pixel_allocation = true; });
       v.resize_at(1 * second, 333, 257);
     },
     true, 1100 * ms},
    {"the update region cannot be read for 1 s",
     [](viewer_run& v) { call_fails_between(v, fallible::get_region_data, 1 * second, 2 * second); }, false,
     0},
    {"BeginPaint fails for 1 s",
     [](viewer_run& v) { call_fails_between(v, fallible::begin_paint, 1 * second, 2 * second); }, false, 0},
    {"1000 resizes, through 0 x N, N x 0, 1 x 1 and 1 x 1000",
     [](viewer_run& v) {
       const std::vector<std::int32_t> sizes = resize_cycle();
       const std::size_t count = sizes.size() / 2;
       for (std::size_t i = 0; i < 1000; ++i) {
         const std::size_t k = i % count;
         v.resize_at(1 * second + static_cast<std::int64_t>(i) * 5 * ms, sizes[2 * k], sizes[2 * k + 1]);
       }
       v.resize_at(6 * second, 500, 400);
     },
     false, 0},
    {"100 full-screen toggles",
     [](viewer_run& v) {
       // A small monitor keeps the fifty full-screen pictures cheap.
       v.host.set_monitors(
           {portable::monitor_info{{0, 0, 800, 600}, {0, 0, 800, 560}, true, "\\\\.\\DISPLAY1"}});
       for (int i = 0; i < 100; ++i) v.keys_at(1 * second + i * 40 * ms, {f1});
     },
     false, 0},
    {"the program frozen for 1 s", [](viewer_run& v) { freeze_at(v, 1 * second, 1 * second); }, false, 0},
    {"the program frozen for 3 s", [](viewer_run& v) { freeze_at(v, 1 * second, 3 * second); }, false, 0},
    {"the program frozen for 10 s", [](viewer_run& v) { freeze_at(v, 1 * second, 10 * second); }, false, 0},
    {"a modal loop for 1 s", [](viewer_run& v) { modal_loop_at(v, 1 * second, 1 * second); }, false, 0},
    {"a modal loop for 3 s", [](viewer_run& v) { modal_loop_at(v, 1 * second, 3 * second); }, false, 0},
    {"a modal loop for 10 s", [](viewer_run& v) { modal_loop_at(v, 1 * second, 10 * second); }, false, 0},
    {"the failure message shown while a paint is pending",
     [](viewer_run& v) {
       v.host.microphone().refuse("no capture device");
       // The message box's modal loop paints the window, which needs it again.
       v.host.during_message_box = [&v] {
         HWND window = v.app.window.handle;
         InvalidateRect(window, nullptr, FALSE);
         UpdateWindow(window);
       };
     },
     true, 100 * ms},
};

void PrintTo(const fault_case& c, std::ostream* out) { *out << c.name; }

// Each row is a test of its own, so that each has the whole time limit.
class ViewerUnderFault : public testing::TestWithParam<fault_case> {};

// The row's name in letters and digits, as a test name must be.
std::string test_name(const testing::TestParamInfo<fault_case>& info) {
  std::string name;
  bool new_word = true;
  for (const char* p = info.param.name; *p; ++p) {
    const bool alphanumeric = std::isalnum(static_cast<unsigned char>(*p));
    if (alphanumeric) name += new_word ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
    new_word = !alphanumeric;
  }
  return name;
}

TEST_P(ViewerUnderFault, EndsInADefinedState) {
  // Long enough after the last fault for stale strips to scroll out of a
  // 500 pixel wide picture (8 s at 62.5 columns a second).
  constexpr std::int64_t end = 30 * second;
  const fault_case& c = GetParam();
  viewer_run v;
  v.tone_at(0, 1000.0, half_scale);
  c.inject(v);
  picture_check picture;
  if (!c.apologises) compare_picture_at(v, end - 200 * ms, picture);
  // Columns still come at 62.5 a second once the fault is over.
  std::int32_t column_then = -1, column_now = -1;
  v.host.at(end - 2200 * ms, [&] { column_then = v.app.write_column; });
  v.host.at(end - 1200 * ms, [&] { column_now = v.app.write_column; });
  const std::size_t gdi_objects = portable::gdi_process().gdi.count();
  screenshot last;
  v.shoot_at(end - 10 * ms, last);

  EXPECT_EQ(v.run(end), 0);
  EXPECT_FALSE(v.host.stalled());
  EXPECT_EQ(portable::gdi_process().gdi.count(), gdi_objects) << "GDI objects left behind";
  if (c.apologises) {
    EXPECT_EQ(v.host.microphone().open_captures(), 0);
    ASSERT_EQ(v.host.message_boxes().size(), 1u);
    EXPECT_EQ(v.host.message_boxes()[0].text, failure_text);
    EXPECT_LT(v.host.now(), c.ends_by);
    return;
  }
  EXPECT_EQ(v.host.microphone().open_captures(), 1) << "one capture, still open until the program is gone";
  EXPECT_TRUE(v.host.message_boxes().empty());
  EXPECT_GE(v.host.now(), end);
  EXPECT_NEAR((500 + column_now - column_then) % 500, 62.5, 3.0);
  ASSERT_TRUE(picture.done);
  EXPECT_EQ(picture.compared, last.screen_width);
  EXPECT_EQ(picture.differing, 0);
  expect_tone_at_right_edge(last, 1000.0, last.screen_width - 100);
}

INSTANTIATE_TEST_SUITE_P(Faults, ViewerUnderFault, testing::ValuesIn(fault_cases), test_name);

}  // namespace
