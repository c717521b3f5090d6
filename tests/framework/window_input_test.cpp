// The window's message dispatch on the scripted host: keys, characters, mouse,
// minimising, closing and border drags arrive as the host reports them and
// reach the client as the framework's codes and calls.
//
// What the window leaves to the platform's default procedure is part of the
// behaviour (a character outside the Basic Multilingual Plane goes on as
// WM_UNICHAR), and nothing of the subset reports it, so the linker sends the
// framework's calls of DefWindowProcW through observed_default_procedure below
// (GNU ld's --wrap, set in CMakeLists.txt), which notes the key and character
// messages in the journal of the client under test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conformance/rectangles.h"
#include "tests/framework/recording_client.h"
#include "tests/support/scripted_host.h"

namespace {
std::vector<std::string>* default_journal = nullptr;
}  // namespace

// DefWindowProcW(HWND, UINT, WPARAM, LPARAM) as GCC names it.
LRESULT real_default_procedure(HWND, UINT, WPARAM, LPARAM) __asm__("__real__Z14DefWindowProcWP6HWND__jml");
LRESULT observed_default_procedure(HWND, UINT, WPARAM,
                                   LPARAM) __asm__("__wrap__Z14DefWindowProcWP6HWND__jml");

LRESULT observed_default_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (default_journal && message >= WM_KEYFIRST && message <= WM_KEYLAST)
    default_journal->push_back(framework_test::line("default %x %x", message, static_cast<unsigned>(wparam)));
  return real_default_procedure(window, message, wparam, lparam);
}

namespace {

using framework_test::recording_client;
using portable::host_event;
using scripted::key_press;

// One thing the user does at the keyboard.
struct keyboard_step {
  enum class kind { press, release, text } type;
  key_press key;
  std::u16string text;
};
keyboard_step press(key_press key) { return {keyboard_step::kind::press, key, {}}; }
keyboard_step release(key_press key) { return {keyboard_step::kind::release, key, {}}; }
keyboard_step type(std::u16string text) { return {keyboard_step::kind::text, {0}, std::move(text)}; }

host_event event_of(const keyboard_step& step, portable::native_window w) {
  switch (step.type) {
    case keyboard_step::kind::press:
      return scripted::key_down(w, step.key);
    case keyboard_step::kind::release:
      return scripted::key_up(w, step.key);
    default:
      return scripted::typed(w, step.text);
  }
}

struct keyboard_case {
  const char* name;
  std::vector<keyboard_step> steps;
  std::int32_t client_result;      // of on_key_down, on_key_up and on_char
  std::vector<std::string> calls;  // the client's, and the default procedure's
};

TEST(WindowDispatch, KeysAndCharactersReachTheClientAsCodes) {
  const key_press right_shift{VK_RSHIFT}, left_shift{VK_LSHIFT}, q{'Q', 0x10}, escape{VK_ESCAPE, 0x01};
  const key_press f1{VK_F1, 0x3B}, f1_repeat{VK_F1, 0x3B, false, true};
  const key_press keypad_8_num_lock{VK_NUMPAD8, 0x48, false, false, false, host_event::num_lock};
  const key_press keypad_8{VK_UP, 0x48}, arrow_up{VK_UP, 0x48, true}, windows_logo{VK_LWIN, 0x5B, true};
  const key_press alt_f4{VK_F4, 0x3E, false, false, true}, a_repeat{'A', 0x1E, false, true};
  const std::u16string stray_low_surrogate(1, u'\xDC00');

  const keyboard_case cases[] = {
      {"right Shift alone", {press(right_shift)}, handled, {"down 0 110021 12000f"}},
      {"left Shift alone", {press(left_shift)}, handled, {"down 0 110020 12000f"}},
      {"keypad 8 with Num Lock", {press(keypad_8_num_lock)}, handled, {"down 0 110037 38"}},
      {"keypad 8 without Num Lock", {press(keypad_8)}, handled, {"down 0 110037 120004"}},
      {"arrow-block Up", {press(arrow_up)}, handled, {"down 0 11002e 120004"}},
      {"a key without a table entry is consumed: no call, no default",
       {press(windows_logo), release(windows_logo), press(q)},
       not_handled,
       {"down 0 51 51", "default 100 51"}},
      {"Q whatever the Shift state; key-up carries flag 1",
       {press(left_shift), press(q), release(q)},
       handled,
       {"down 0 110020 12000f", "down 0 51 51", "up 1 51 51"}},
      {"an auto-repeated press carries flag 1",
       {press(f1), press(f1_repeat)},
       handled,
       {"down 0 110001 120017", "down 1 110001 120017"}},
      {"Escape left to the default",
       {press(escape), release(escape)},
       not_handled,
       {"down 0 110000 120001", "default 100 1b", "up 1 110000 120001", "default 101 1b"}},
      {"a key with Alt held is a system key, also reaching on_key_down",
       {press(alt_f4)},
       not_handled,
       {"down 0 110004 12001a", "default 104 73"}},
      {"a character outside the BMP: one call with the joined code point",
       {type(u"\U0001F3B5")},
       handled,
       {"char 0 1f3b5"}},
      {"the same left to the default, which receives WM_UNICHAR",
       {type(u"\U0001F3B5")},
       not_handled,
       {"char 0 1f3b5", "default 109 1f3b5"}},
      {"a BMP character left to the default stays WM_CHAR",
       {type(u"\u00E9")},
       not_handled,
       {"char 0 e9", "default 102 e9"}},
      {"a stray low surrogate arrives as U+FFFD and leaves nothing pending",
       {type(stray_low_surrogate), type(u"x")},
       not_handled,
       {"char 0 fffd", "default 109 fffd", "char 0 78", "default 102 78"}},
      {"text typed by an auto-repeated key carries flag 1",
       {press(a_repeat), type(u"a")},
       handled,
       {"down 1 41 41", "char 1 61"}},
  };
  for (const keyboard_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    recording_client client;
    client.open();
    client.result = c.client_result;
    default_journal = &client.journal;
    for (const keyboard_step& step : c.steps) host.event_now(event_of(step, host.newest_window()));
    client.pump();
    default_journal = nullptr;
    EXPECT_EQ(client.journal, c.calls);
  }
}

struct mouse_case {
  const char* name;
  host_event event;
  const char* call;
  double x, y;  // the window's mouse position afterwards, y upward
  bool middle_down;
};

TEST(WindowDispatch, MouseRowsCountUpwardAndWheelNotchesAreFractions) {
  scripted::host host;
  recording_client client;
  client.open();
  const portable::native_window w = host.newest_window();
  // The wheel reports screen positions; the client area's corner is here.
  const std::int32_t sx = host.window(w).x, sy = host.window(w).y;

  const mouse_case cases[] = {
      {"the top row", scripted::mouse_move(w, 10, 0), "move", 10, 399, false},
      {"the bottom row", scripted::mouse_move(w, 11, 399), "move", 11, 0, false},
      {"a middle press", scripted::button(w, 20, 100, 2, true), "button_down 2", 20, 299, true},
      {"its release", scripted::button(w, 21, 101, 2, false), "button_up 2", 21, 298, false},
      {"a notch away from the user", scripted::wheel(w, sx + 30, sy + 50, 120), "wheel 1.0000", 30, 349,
       false},
      {"a notch toward the user", scripted::wheel(w, sx, sy, -120), "wheel -1.0000", 0, 399, false},
      {"a high-resolution step", scripted::wheel(w, sx + 499, sy + 399, 40), "wheel 0.3333", 499, 0, false},
  };
  for (const mouse_case& c : cases) {
    SCOPED_TRACE(c.name);
    client.journal.clear();
    host.event_now(c.event);
    client.pump();
    EXPECT_EQ(client.journal, std::vector<std::string>{c.call});
    EXPECT_EQ(client.window.mouse_x, c.x);
    EXPECT_EQ(client.window.mouse_y, c.y);
    EXPECT_EQ(client.window.mouse_view_y, c.y);  // the pixel view of a plain window
    EXPECT_EQ(client.window.button_down[2], c.middle_down);
  }
}

TEST(WindowDispatch, MinimisingLeavesTheSizeAloneAndRestoringReportsIt) {
  scripted::host host;
  recording_client client;
  client.open();
  host.event_now(scripted::minimized(host.newest_window()));
  client.pump();
  EXPECT_TRUE(client.journal.empty());
  EXPECT_EQ(client.window.client_width, 500);
  EXPECT_EQ(client.window.client_height, 400);

  host.event_now(scripted::restored(host.newest_window()));
  client.pump();
  EXPECT_EQ(client.journal, std::vector<std::string>{"size 500x400"});
}

TEST(WindowDispatch, CloseQuitsOnlyWhenTheClientLeavesItToTheFramework) {
  for (const std::int32_t on_close : {handled, not_handled}) {
    SCOPED_TRACE(on_close);
    scripted::host host;
    recording_client client;
    client.open();
    client.result = on_close;
    PostMessageW(client.window.handle, WM_CLOSE, 0, 0);
    client.pump();
    EXPECT_EQ(client.journal, std::vector<std::string>{"close"});
    EXPECT_EQ(client.desktop.quit_requested, on_close == not_handled);
    // The window stays either way, until the run loop tears it down.
    EXPECT_TRUE(client.window.created);
    EXPECT_FALSE(host.window(host.newest_window()).destroyed);
  }
}

struct drag_case {
  const char* name;
  std::int32_t mode;
  WPARAM edge;
  RECT proposed_change;  // how far the user moved each side of the window
  RECT change;           // how far each side moves after the framework's say
};

TEST(WindowDispatch, BorderDragsKeepTheAspectRatioOrAreRefused) {
  const drag_case cases[] = {
      {"aspect, right edge: 100 wider, 40 rows above and below",
       win::keep_aspect,
       WMSZ_RIGHT,
       {0, 0, 100, 0},
       {0, -40, 100, 40}},
      {"aspect, right edge: the odd row goes to the top",
       win::keep_aspect,
       WMSZ_RIGHT,
       {0, 0, 2, 0},
       {0, -1, 2, 0}},
      {"aspect, left edge", win::keep_aspect, WMSZ_LEFT, {-2, 0, 0, 0}, {-2, -1, 0, 0}},
      {"aspect, top edge: the odd column goes right",
       win::keep_aspect,
       WMSZ_TOP,
       {0, -3, 0, 0},
       {-1, -3, 2, 0}},
      {"aspect, bottom edge shrinking", win::keep_aspect, WMSZ_BOTTOM, {0, 0, 0, -80}, {50, 0, -50, -80}},
      {"aspect, top-left corner keeps the bottom-right",
       win::keep_aspect,
       WMSZ_TOPLEFT,
       {-100, -10, 0, 0},
       {-100, -80, 0, 0}},
      {"aspect, bottom-left corner", win::keep_aspect, WMSZ_BOTTOMLEFT, {10, 0, 0, 300}, {10, 0, 0, -8}},
      {"fixed size refuses", win::fixed_size, WMSZ_BOTTOMRIGHT, {0, 0, 100, 50}, {0, 0, 0, 0}},
      {"resizable takes the drag as it is", win::resizable, WMSZ_RIGHT, {0, 0, 100, 0}, {0, 0, 100, 0}},
  };
  scripted::host host;
  recording_client client;
  client.open(500, 400, win::keep_aspect);
  for (const drag_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(client.window.set_mode(500, 400, c.mode), 0);
    RECT current{};
    GetWindowRect(client.window.handle, &current);
    const RECT& d = c.proposed_change;
    RECT proposed{current.left + d.left, current.top + d.top, current.right + d.right,
                  current.bottom + d.bottom};
    EXPECT_EQ(SendMessageW(client.window.handle, WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&proposed)), 1);
    const RECT& e = c.change;
    EXPECT_EQ(proposed, (RECT{current.left + e.left, current.top + e.top, current.right + e.right,
                              current.bottom + e.bottom}));
  }

  // The user's own drag, which the subset hands to the window as WM_SIZING.
  client.window.set_mode(500, 400, win::keep_aspect);
  client.journal.clear();
  host.event_now(scripted::resized(host.newest_window(), 600, 400));
  client.pump();
  EXPECT_EQ(client.journal, std::vector<std::string>{"size 600x480"});
  EXPECT_EQ(host.window(host.newest_window()).width, 600);
  EXPECT_EQ(host.window(host.newest_window()).height, 480);
}

}  // namespace
