// Doubles that become int32: in range they lose their fraction toward zero;
// beyond it, or not a number, they still give a defined int32 (a plain cast
// is undefined there and on x86 gives INT_MIN, which turns geometry inside out).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/desktop.h"
#include "framework/truncation.h"
#include "tests/conformance/rectangles.h"
#include "tests/framework/recording_client.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
constexpr double infinity = std::numeric_limits<double>::infinity();

TEST(Truncation, DropsTheFractionAndClampsWhatLiesBeyondTheRange) {
  struct truncation_case {
    double value;
    std::int32_t expected;
  };
  const truncation_case cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {-0.5, 0},
      {2147483647.0, most},
      {2147483647.9, most},
      {-2147483648.0, least},
      {-2147483648.9, least},
      {3e9, most},
      {-3e9, least},
      {1e300, most},
      {infinity, most},
      {-infinity, least},
      {std::nan(""), 0},
  };
  for (const truncation_case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(truncated(c.value), c.expected);
  }
}

TEST(Truncation, FarOffDesktopPointsStayOnTheirSide) {
  scripted::host host;
  desktop d;
  EXPECT_EQ(d.to_screen_point(1e12, 0).x, most);
  EXPECT_EQ(d.to_screen_point(-1e12, 0).x, least);
  EXPECT_EQ(d.to_screen_point(std::nan(""), 0).x, 0);
  EXPECT_EQ(d.to_screen_point(0, -1e12).y, most) << "far below is far down the screen";
  EXPECT_EQ(d.to_screen_rect(desktop_rect{-1e12, -1e12, 1e12, 1e12}), (RECT{least, least, most, most}));
}

// Keeping an aspect ratio of a side 0 long: the other side comes out infinite
// or not a number, and the window must still not turn inside out.
TEST(Truncation, BorderDragsKeepingAnAspectWithASideOfZeroStayInOrder) {
  struct drag_case {
    double width, height;  // the requested client size
    WPARAM edge;
  };
  const drag_case cases[] = {
      {500, 0, WMSZ_TOP},     {500, 0, WMSZ_BOTTOM}, {500, 0, WMSZ_BOTTOMRIGHT}, {0, 400, WMSZ_RIGHT},
      {0, 400, WMSZ_TOPLEFT}, {0, 0, WMSZ_LEFT},     {0, 0, WMSZ_BOTTOM},
  };
  scripted::host host;
  framework_test::recording_client client;
  client.open(500, 400, win::keep_aspect);
  for (const drag_case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + ", edge " +
                 std::to_string(c.edge));
    client.window.requested_width = c.width;
    client.window.requested_height = c.height;
    RECT current{};
    GetWindowRect(client.window.handle, &current);
    RECT proposed{current.left - 5, current.top - 5, current.right + 5, current.bottom + 5};
    SendMessageW(client.window.handle, WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_LE(proposed.left, proposed.right);
    EXPECT_LE(proposed.top, proposed.bottom);
  }
}

}  // namespace
