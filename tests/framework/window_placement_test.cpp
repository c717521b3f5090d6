// Window creation, placement and full screen on the scripted host's virtual
// monitors, with its Windows-like frame of 8, 31, 8 and 8 pixels, so that the
// arithmetic between client and outer rectangles is really exercised.
//
// The portable subset's start-up information never carries a position, so the
// linker sends the framework's calls of GetStartupInfoW through
// reported_startup_info below (GNU ld's --wrap, set in CMakeLists.txt), which
// reports one while a test asks for it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/toy_app.h"
#include "platform/portable/user32/user_state.h"
#include "tests/conformance/rectangles.h"
#include "tests/framework/recording_client.h"
#include "tests/support/scripted_host.h"

namespace {
std::optional<POINT> startup_position;
}  // namespace

// GetStartupInfoW(STARTUPINFOW*) as GCC names it.
void real_get_startup_info(LPSTARTUPINFOW) __asm__("__real__Z15GetStartupInfoWP12STARTUPINFOW");
void reported_startup_info(LPSTARTUPINFOW) __asm__("__wrap__Z15GetStartupInfoWP12STARTUPINFOW");

void reported_startup_info(LPSTARTUPINFOW info) {
  real_get_startup_info(info);
  if (!startup_position) return;
  info->dwFlags |= STARTF_USEPOSITION;
  info->dwX = static_cast<DWORD>(startup_position->x);
  info->dwY = static_cast<DWORD>(startup_position->y);
}

namespace {

using framework_test::recording_client;
using portable::monitor_info;

constexpr std::int64_t ms = 1000000;

RECT window_rect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT client_on_screen(const scripted::native_window_record& native) {
  return RECT{native.x, native.y, native.x + native.width, native.y + native.height};
}

// Asks for the window's outer top-left corner at a screen point.
void place_at(win& window, POINT corner) {
  window.position_known = true;
  window.position_x = corner.x;
  window.position_y = virtual_screen_bottom() - 1 - corner.y;
}

std::u16string class_name_of(const win& window) {
  const portable::window_class* registered = portable::user_process().classes.find(window.class_atom);
  return registered ? registered->name : u"";
}

std::u16string wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(WindowCreation, EachCreationRegistersTheNextClassAndDestroyingTwiceIsHarmless) {
  scripted::host host;
  recording_client client;
  client.window.set_title(cp::xstring<WCHAR>(u"Warblet"));
  client.open();
  // The counter belongs to the process, so earlier tests may have moved it on.
  const std::u16string first = class_name_of(client.window);
  ASSERT_EQ(first.rfind(u"win_Warblet0x", 0), 0u);
  const unsigned n = std::stoul(std::string(first.begin() + 13, first.end()), nullptr, 16);
  EXPECT_EQ(first, wide(framework_test::line("win_Warblet0x%08x", n)));

  client.window.destroy_window();
  client.window.destroy_window();
  EXPECT_EQ(client.journal, std::vector<std::string>{"destroy"});
  EXPECT_FALSE(client.window.created);
  EXPECT_EQ(client.window.handle, nullptr);
  EXPECT_EQ(portable::user_process().classes.find(first.c_str()), nullptr);
  EXPECT_TRUE(host.window(host.newest_window()).destroyed);

  ASSERT_EQ(client.window.create_window(), 0);
  EXPECT_EQ(class_name_of(client.window), wide(framework_test::line("win_Warblet0x%08x", n + 1)));
}

TEST(WindowCreation, ASizeAskedForBeforeTheWindowExistsIsOnlyRecorded) {
  scripted::host host;
  recording_client client;
  EXPECT_EQ(client.window.set_mode(500, 400, win::resizable), 0);
  EXPECT_EQ(host.newest_window(), 0u);
  EXPECT_TRUE(client.journal.empty());

  ASSERT_EQ(client.window.create_window(), 0);
  client.pump();
  const scripted::native_window_record& native = host.window(host.newest_window());
  EXPECT_TRUE(native.framed);
  EXPECT_TRUE(native.visible);
  EXPECT_FALSE(native.position_known);  // without a start-up position the platform chooses
  EXPECT_EQ(native.width, 500);
  EXPECT_EQ(native.height, 400);
  EXPECT_EQ(client.journal, (std::vector<std::string>{"create", "size 500x400"}));
}

TEST(WindowCreation, AStartUpPositionPlacesTheOuterCornerExactly) {
  struct startup_case {
    const char* name;
    std::vector<monitor_info> monitors;
    POINT corner;
  };
  const startup_case cases[] = {
      {"on the primary monitor", scripted::host::default_monitors(), {300, 200}},
      {"on a monitor left of and above the primary",
       {scripted::host::default_monitors()[0], {{-1280, -200, 0, 824}, {-1280, -200, 0, 824}, false, "left"}},
       {-1000, -150}},
  };
  for (const startup_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    host.set_monitors(c.monitors);
    startup_position = c.corner;
    recording_client client;
    startup_position.reset();
    client.open();
    const RECT outer = window_rect(client.window.handle);
    EXPECT_EQ(outer, (RECT{c.corner.x, c.corner.y, c.corner.x + 516, c.corner.y + 439}));
    EXPECT_TRUE(host.window(host.newest_window()).position_known);
  }
}

struct resize_case {
  const char* name;
  POINT corner;      // the outer corner before
  SIZE client;       // the client size asked for
  POINT new_corner;  // the outer corner after
};

TEST(WindowPlacement, ResizingInPlaceKeepsTheWindowOnTheWorkArea) {
  // One 1920 x 1080 monitor whose work area ends at row 1040, above the task bar.
  const resize_case cases[] = {
      {"inside the work area it stays", {100, 50}, {600, 500}, {100, 50}},
      {"off the right edge it is pushed back", {1700, 100}, {500, 400}, {1920 - 516, 100}},
      {"below the work area it is lifted", {100, 800}, {500, 400}, {100, 1040 - 439}},
      {"off the left and top it is moved in", {-50, -20}, {500, 400}, {0, 0}},
      {"larger than the work area it keeps its corner", {100, 50}, {2500, 1500}, {100, 50}},
      {"larger, with its corner off the screen", {-300, -100}, {2500, 1500}, {0, 0}},
      {"only taller than the work area", {1700, 100}, {500, 1100}, {1700, 100}},
  };
  scripted::host host;
  for (const resize_case& c : cases) {
    SCOPED_TRACE(c.name);
    recording_client client;
    place_at(client.window, c.corner);
    client.open();
    ASSERT_EQ(window_rect(client.window.handle).left, c.corner.x);
    EXPECT_EQ(client.window.set_mode(c.client.cx, c.client.cy, win::resizable), 0);
    const POINT& at = c.new_corner;
    EXPECT_EQ(window_rect(client.window.handle),
              (RECT{at.x, at.y, at.x + c.client.cx + 16, at.y + c.client.cy + 39}));
    EXPECT_EQ(client.window.client_width, c.client.cx);
    EXPECT_EQ(client.window.client_height, c.client.cy);
    // A size message only when the size really changed.
    const bool resized = c.client.cx != 500 || c.client.cy != 400;
    EXPECT_EQ(client.journal.size(), resized ? 1u : 0u);
    if (resized) {
      EXPECT_EQ(client.journal[0], framework_test::line("size %ldx%ld", c.client.cx, c.client.cy));
    }
  }
}

struct full_screen_case {
  const char* name;
  std::vector<monitor_info> monitors;
  POINT corner;                       // where the framed window starts
  RECT monitor;                       // the full-screen client area
  POINT windowed_client;              // the client corner after leaving full screen
  std::int32_t windowed_width = 500;  // the client width asked for then
};

TEST(WindowPlacement, FullScreenCoversTheMonitorAndLeavingItCentresTheWindowThere) {
  const monitor_info primary = scripted::host::default_monitors()[0];
  const monitor_info right_and_higher{{1920, -300, 3840, 780}, {1920, -300, 3840, 780}, false, "right"};
  const monitor_info above{{0, -1080, 1920, 0}, {0, -1080, 1920, 0}, false, "above"};
  const monitor_info left{{-1920, 0, 0, 1080}, {-1920, 0, 0, 1080}, false, "left"};
  const monitor_info right{{1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}, false, "right"};
  const monitor_info smaller_right{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false, "smaller"};
  const full_screen_case cases[] = {
      {"one monitor", {primary}, {100, 50}, {0, 0, 1920, 1080}, {710 + 8, 340 + 31}},
      // Its lower edge is 300 rows above the desktop's.
      {"a monitor to the right, higher up",
       {primary, right_and_higher},
       {2000, 0},
       {1920, -300, 3840, 780},
       {1920 + 710 + 8, -300 + 340 + 31}},
      {"a monitor above the primary",
       {primary, above},
       {100, -900},
       {0, -1080, 1920, 0},
       {710 + 8, -1080 + 340 + 31}},
      {"a monitor left of the primary",
       {primary, left},
       {-1500, 100},
       {-1920, 0, 0, 1080},
       {-1920 + 710 + 8, 340 + 31}},
      // Its mode is not the primary's: it must be applied to that monitor.
      {"a smaller monitor to the right",
       {primary, smaller_right},
       {2000, 100},
       {1920, 0, 3200, 1024},
       {1920 + 390 + 8, 312 + 31}},
      // Wider than the monitor: centred there, overhanging both sides.
      {"a monitor to the right, a wider window",
       {primary, right},
       {2000, 100},
       {1920, 0, 3840, 1080},
       {1920 - 290 + 8, 340 + 31},
       2500},
      // Centring would put it left of the desktop's x = 0 and off that
      // monitor: it starts at the monitor's left edge.
      {"a monitor left of the primary, a wider window",
       {primary, left},
       {-1500, 100},
       {-1920, 0, 0, 1080},
       {-1920 + 8, 340 + 31},
       2500},
  };
  for (const full_screen_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    host.set_monitors(c.monitors);
    recording_client client;
    place_at(client.window, c.corner);
    client.open();
    const portable::native_window framed = host.newest_window();

    const std::string monitor_size = framework_test::line("size %dx%d", c.monitor.right - c.monitor.left,
                                                          c.monitor.bottom - c.monitor.top);
    ASSERT_EQ(client.window.set_mode(0, 0, win::full_screen), 0);
    EXPECT_EQ(client.journal, (std::vector<std::string>{"destroy", "create", monitor_size}));
    const scripted::native_window_record& whole = host.window(host.newest_window());
    EXPECT_TRUE(host.window(framed).destroyed);
    EXPECT_FALSE(whole.framed);
    EXPECT_TRUE(whole.full_screen);
    EXPECT_EQ(client_on_screen(whole), c.monitor);
    EXPECT_TRUE(client.window.display_changed);

    // Full screen again: nothing happens.
    const portable::native_window popup = host.newest_window();
    EXPECT_EQ(client.window.set_mode(800, 600, win::full_screen), 0);
    EXPECT_EQ(host.newest_window(), popup);
    EXPECT_EQ(client.window.client_width, c.monitor.right - c.monitor.left);
    EXPECT_EQ(client.window.requested_width, 0);
    EXPECT_EQ(client.journal.size(), 3u);

    ASSERT_EQ(client.window.set_mode(c.windowed_width, 400, win::resizable), 0);
    const scripted::native_window_record& windowed = host.window(host.newest_window());
    EXPECT_TRUE(host.window(popup).destroyed);
    EXPECT_TRUE(windowed.framed);
    EXPECT_FALSE(windowed.full_screen);
    const POINT& at = c.windowed_client;
    EXPECT_EQ(client_on_screen(windowed), (RECT{at.x, at.y, at.x + c.windowed_width, at.y + 400}));
    EXPECT_FALSE(client.window.display_changed);
    EXPECT_FALSE(portable::user_process().display.full_screen_mode);
  }
}

TEST(PlainClient, OpensAWindowThatShowsItsBackgroundAndEndsOnClose) {
  scripted::host host;
  app<win> plain;
  plain.window.background[0] = 0x30;  // blue
  plain.window.background[1] = 0x60;  // green
  plain.window.background[2] = 0x90;  // red
  plain.window.set_mode(500, 400, win::resizable);
  host.close_request_at(50 * ms);
  EXPECT_EQ(plain.run(0, nullptr), 0);

  ASSERT_EQ(host.newest_window(), 1u);
  const scripted::native_window_record& native = host.window(1);
  EXPECT_TRUE(native.framed);
  EXPECT_EQ(native.screen_width, 500);
  EXPECT_EQ(native.screen_height, 400);
  for (const POINT p : {POINT{0, 0}, POINT{499, 399}, POINT{250, 200}}) {
    EXPECT_EQ(host.pixel(1, p.x, p.y), 0x906030u) << p.x << ", " << p.y;
  }
  EXPECT_TRUE(native.destroyed);
  EXPECT_GE(host.now(), 50 * ms);
  EXPECT_FALSE(host.stalled());
  EXPECT_TRUE(host.message_boxes().empty());
}

// F1 when no window can be made any more (the display went away): the program
// ends instead of running on with no window that could be closed.
TEST(ToyApp, FullScreenThatCannotBeMadeEndsTheProgramRatherThanLeaveItWindowless) {
  scripted::host host;
  toy_app<win> toy;
  toy.window.set_mode(500, 400, win::resizable);
  host.at(50 * ms, [&host] { host.fail_window_creation = true; });
  host.event_at(60 * ms, scripted::key_down(1, {VK_F1}));
  host.close_request_at(10000 * ms);  // not reached when the fault is handled
  EXPECT_EQ(toy.run(0, nullptr), 0);
  EXPECT_LT(host.now(), 10000 * ms);
  EXPECT_FALSE(toy.window.created);
}

}  // namespace
