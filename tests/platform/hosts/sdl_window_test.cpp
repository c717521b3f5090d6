// The SDL2 host's windows on a real X server (a private Xvfb, with no window
// manager): placement, what reaches the screen, the events windows raise, and
// the monitors. The screen is read back through Xlib.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <tuple>
#include <vector>

#include "platform/portable/hosts/linux/linux_host.h"
#include "tests/platform/hosts/x_screen.h"
#include "tests/platform/hosts/xvfb_display.h"

namespace {

using portable::host_event;
using portable::native_window;
using kind = host_event::kind;

class SdlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const testing_display::xvfb_display& display = testing_display::private_display();
    ASSERT_EQ(display.error(), "");
    screen = std::make_unique<testing_display::x_screen>(display.name());
    ASSERT_TRUE(screen->connected());
    std::string error;
    host = portable::open_linux_host(error);
    ASSERT_TRUE(host) << error;
  }
  void TearDown() override {
    host.reset();
    screen.reset();
  }

  native_window open_window(int left, int top, int width, int height, bool framed) {
    portable::window_spec spec;
    spec.title_utf8 = "sdl host test";
    spec.position_known = true;
    spec.x = left;
    spec.y = top;
    spec.width = width;
    spec.height = height;
    spec.framed = framed;
    std::string error;
    const native_window w = host->create_window(spec, error);
    EXPECT_NE(w, 0u) << error;
    host->show_window(w, true);
    return w;
  }

  // Everything the host reports until it has been quiet for a while.
  std::vector<host_event> settle() {
    std::vector<host_event> out;
    host_event e;
    while (host->wait_for_input(150) == portable::host::wake::input)
      while (host->next_event(e)) out.push_back(e);
    return out;
  }

  // Presents one colour over the window's whole client area.
  void paint(native_window w, int width, int height, std::uint32_t colour) {
    const std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * height, colour);
    host->present(w, picture.data(), width, height, width, portable::screen_rect{0, 0, width, height});
    screen->wait_for_drawing(w);
  }

  // The colour covers exactly the rectangle: its corners inside have it, the
  // pixels just outside do not.
  void expect_on_screen(int left, int top, int width, int height, std::uint32_t colour) {
    const int right = left + width - 1, bottom = top + height - 1;
    for (const auto& [px, py] : {std::pair{left, top}, {right, top}, {left, bottom}, {right, bottom}})
      EXPECT_EQ(screen->pixel(px, py), colour) << "inside at " << px << "," << py;
    for (const auto& [px, py] :
         {std::pair{left - 1, top}, {left, top - 1}, {right + 1, bottom}, {right, bottom + 1}})
      EXPECT_NE(screen->pixel(px, py), colour) << "outside at " << px << "," << py;
  }

  std::unique_ptr<testing_display::x_screen> screen;
  std::unique_ptr<portable::sdl_host> host;
};

// The last event of one kind for one window.
const host_event* last_of(const std::vector<host_event>& events, kind type) {
  const host_event* found = nullptr;
  for (const host_event& e : events)
    if (e.type == type) found = &e;
  return found;
}

TEST_F(SdlWindow, OpensWhereAskedAndShowsWhatIsPresented) {
  for (const bool framed : {false, true}) {
    SCOPED_TRACE(framed ? "framed" : "bare");
    const native_window w = open_window(37, 53, 120, 80, framed);
    settle();
    paint(w, 120, 80, 0x203040);
    expect_on_screen(37, 53, 120, 80, 0x203040);

    // Only the rectangle handed over changes, taken from a picture with a
    // different pixel at every place.
    std::vector<std::uint32_t> picture(120 * 80);
    for (int py = 0; py < 80; ++py)
      for (int px = 0; px < 120; ++px) picture[py * 120 + px] = 0x800000u | (px << 8) | py;
    host->present(w, picture.data(), 120, 80, 120, portable::screen_rect{10, 5, 60, 45});
    screen->wait_for_drawing(w);
    EXPECT_EQ(screen->pixel(37 + 10, 53 + 5), 0x800000u | (10 << 8) | 5);
    EXPECT_EQ(screen->pixel(37 + 59, 53 + 44), 0x800000u | (59 << 8) | 44);
    EXPECT_EQ(screen->pixel(37 + 60, 53 + 44), 0x203040u);
    EXPECT_EQ(screen->pixel(37 + 9, 53 + 5), 0x203040u);
    host->destroy_window(w);
  }
  // No window manager: nobody frames the window.
  const portable::screen_rect frame = host->frame_extents();
  EXPECT_EQ(frame.left | frame.top | frame.right | frame.bottom, 0);
}

// Scrolling moves the pixels inside the X server; where what was to move lay
// under another window, the window is reported exposed, to be presented again.
TEST_F(SdlWindow, ScrollingMovesWhatTheScreenShows) {
  const native_window w = open_window(37, 53, 120, 80, false);
  settle();
  std::vector<std::uint32_t> picture(120 * 80);
  for (int py = 0; py < 80; ++py)
    for (int px = 0; px < 120; ++px) picture[py * 120 + px] = 0x800000u | (px << 8) | py;
  host->present(w, picture.data(), 120, 80, 120, portable::screen_rect{0, 0, 120, 80});
  ASSERT_TRUE(host->scroll_shown(w, portable::screen_rect{0, 0, 110, 80}, -10, 0));
  screen->wait_for_drawing(w);
  EXPECT_EQ(screen->pixel(37, 53 + 5), 0x800000u | (10 << 8) | 5);
  EXPECT_EQ(screen->pixel(37 + 109, 53 + 79), 0x800000u | (119 << 8) | 79);
  EXPECT_EQ(screen->pixel(37 + 115, 53 + 5), 0x800000u | (115 << 8) | 5);  // the strip as it was
  EXPECT_EQ(last_of(settle(), kind::exposed), nullptr);

  const native_window over = open_window(37 + 60, 53, 100, 80, false);
  settle();
  ASSERT_TRUE(host->scroll_shown(w, portable::screen_rect{0, 0, 110, 80}, -10, 0));
  const std::vector<host_event> events = settle();
  const host_event* exposed = last_of(events, kind::exposed);
  ASSERT_NE(exposed, nullptr);
  EXPECT_EQ(exposed->window, w);
  host->destroy_window(over);
  host->destroy_window(w);
}

TEST_F(SdlWindow, PlacingIsNotEchoedButChangesFromOutsideAre) {
  const native_window w = open_window(37, 53, 120, 80, true);
  settle();
  host->place_window(w, 200, 150, 300, 220);
  for (const host_event& e : settle()) {
    EXPECT_NE(e.type, kind::resized);
    EXPECT_NE(e.type, kind::moved);
  }
  paint(w, 300, 220, 0x405060);
  expect_on_screen(200, 150, 300, 220, 0x405060);

  // As a window manager or the user would.
  screen->move_resize(w, 100, 90, 250, 180);
  const std::vector<host_event> events = settle();
  int moves = 0, sizes = 0;
  for (const host_event& e : events) {
    EXPECT_EQ(e.window, w);
    if (e.type == kind::moved) {
      ++moves;
      EXPECT_EQ(e.placement.x, 100);
      EXPECT_EQ(e.placement.y, 90);
    }
    if (e.type == kind::resized) {
      ++sizes;
      EXPECT_EQ(e.placement.width, 250);
      EXPECT_EQ(e.placement.height, 180);
    }
  }
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(sizes, 1);
  // The surface follows the new size.
  paint(w, 250, 180, 0x506070);
  expect_on_screen(100, 90, 250, 180, 0x506070);
}

TEST_F(SdlWindow, FullScreenCoversTheMonitorAndLeavingRestores) {
  const native_window w = open_window(37, 53, 120, 80, true);
  settle();
  host->set_full_screen(w, true);
  const std::vector<host_event> into = settle();
  const host_event* size = last_of(into, kind::resized);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->placement.width, 1024);
  EXPECT_EQ(size->placement.height, 768);
  paint(w, 1024, 768, 0x607080);
  EXPECT_EQ(screen->pixel(0, 0), 0x607080u);
  EXPECT_EQ(screen->pixel(1023, 767), 0x607080u);

  host->set_full_screen(w, false);
  const std::vector<host_event> back = settle();
  size = last_of(back, kind::resized);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->placement.width, 120);
  EXPECT_EQ(size->placement.height, 80);
  paint(w, 120, 80, 0x708090);
  expect_on_screen(37, 53, 120, 80, 0x708090);
}

TEST_F(SdlWindow, ClosingAWindowAsksThatWindowOnlyAndSigtermAsksAll) {
  const native_window w = open_window(37, 53, 120, 80, true);
  settle();
  screen->ask_to_close(w);
  std::vector<native_window> closed;
  for (const host_event& e : settle())
    if (e.type == kind::close_requested) closed.push_back(e.window);
  EXPECT_EQ(closed, std::vector<native_window>{w});

  // SDL turns SIGTERM into its quit event: every window is asked.
  closed.clear();
  std::raise(SIGTERM);
  for (const host_event& e : settle())
    if (e.type == kind::close_requested) closed.push_back(e.window);
  EXPECT_EQ(closed, std::vector<native_window>{0});
}

TEST_F(SdlWindow, MinimisingRestoringAndExposing) {
  const native_window w = open_window(37, 53, 120, 80, true);
  settle();
  struct row {
    Uint8 sdl;
    std::vector<kind> kinds;
  };
  const row rows[] = {
      {SDL_WINDOWEVENT_MINIMIZED, {kind::minimized}},
      {SDL_WINDOWEVENT_RESTORED, {kind::restored}},
      {SDL_WINDOWEVENT_RESTORED, {}},  // not minimised: nothing to restore from
      {SDL_WINDOWEVENT_MINIMIZED, {kind::minimized}},
      {SDL_WINDOWEVENT_MAXIMIZED, {kind::restored}},
      {SDL_WINDOWEVENT_EXPOSED, {kind::exposed}},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.sdl));
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = w;
    e.window.event = r.sdl;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    std::vector<kind> kinds;
    host_event event;
    while (host->next_event(event)) {
      EXPECT_EQ(event.window, w);
      kinds.push_back(event.type);
    }
    EXPECT_EQ(kinds, r.kinds);
  }
}

TEST_F(SdlWindow, MonitorCursorAndWheelAreInScreenCoordinates) {
  const std::vector<portable::monitor_info> monitors = host->monitors();
  ASSERT_EQ(monitors.size(), 1u);
  const portable::monitor_info& m = monitors[0];
  EXPECT_TRUE(m.primary);
  EXPECT_EQ(m.name, "\\\\.\\DISPLAY1");
  EXPECT_EQ(m.area.left, 0);
  EXPECT_EQ(m.area.top, 0);
  EXPECT_EQ(m.area.right, 1024);
  EXPECT_EQ(m.area.bottom, 768);
  EXPECT_EQ(m.work_area.right, 1024);
  EXPECT_EQ(m.work_area.bottom, 768);

  const native_window w = open_window(37, 53, 120, 80, false);
  settle();
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.windowID = w;
  wheel.wheel.preciseY = -1.0f;
  wheel.wheel.mouseX = 10;
  wheel.wheel.mouseY = 20;
  ASSERT_EQ(SDL_PushEvent(&wheel), 1);
  host_event e;
  ASSERT_TRUE(host->next_event(e));
  EXPECT_EQ(e.type, kind::wheel);
  EXPECT_EQ(e.mouse.x, 47);
  EXPECT_EQ(e.mouse.y, 73);
  EXPECT_EQ(e.mouse.wheel_delta, -120);

  screen->warp_pointer(300, 200);
  std::int32_t cx = 0, cy = 0;
  host->cursor_position(cx, cy);
  EXPECT_EQ(cx, 300);
  EXPECT_EQ(cy, 200);
}

TEST_F(SdlWindow, RealKeysArriveWithTheirText) {
  const native_window w = open_window(37, 53, 120, 80, false);
  settle();
  for (const auto& [symbol, virtual_key, scan_code, text] :
       {std::tuple{"a", 0x41u, 0x1Eu, std::u16string(u"a")},
        std::tuple{"Return", 0x0Du, 0x1Cu, std::u16string(u"\r")}}) {
    SCOPED_TRACE(symbol);
    // As the X server delivers a key to the window under the pointer.
    screen->type_key(w, symbol);
    const std::vector<host_event> events = settle();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, kind::key);
    EXPECT_TRUE(events[0].key.down);
    EXPECT_EQ(events[0].key.virtual_key, virtual_key);
    EXPECT_EQ(events[0].key.scan_code, scan_code);
    EXPECT_EQ(events[1].type, kind::text);
    EXPECT_EQ(events[1].text, text);
    EXPECT_EQ(events[2].type, kind::key);
    EXPECT_FALSE(events[2].key.down);
  }
}

}  // namespace
