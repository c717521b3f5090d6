// The SDL2 host's input events: SDL's keys, text and mouse become the
// host_events from which the portable subset makes Windows' messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/hosts/sdl/sdl_host.h"
#include "tests/platform/hosts/xvfb_display.h"

namespace {

using portable::host_event;
using kind = host_event::kind;

constexpr Uint32 window_id = 7;

SDL_Event key_event(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mod, Uint8 repeat = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.windowID = window_id;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = keycode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event text_event(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window_id;
  SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
  return e;
}

class SdlInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(testing_display::private_display().error(), "");
    std::string error;
    host = portable::sdl_host::open(error);
    ASSERT_TRUE(host) << error;
    host_event ignored;
    while (host->next_event(ignored)) {
    }
  }

  // What `e` becomes, in order.
  std::vector<host_event> events_of(SDL_Event e) {
    EXPECT_EQ(SDL_PushEvent(&e), 1);
    std::vector<host_event> out;
    host_event event;
    while (host->next_event(event)) out.push_back(event);
    return out;
  }

  std::unique_ptr<portable::sdl_host> host;
};

TEST_F(SdlInput, KeysArriveAsWindowsReportsThem) {
  struct row {
    const char* key;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    Uint16 mod;
    std::uint32_t virtual_key, scan_code;
    bool extended;
  };
  const row rows[] = {
      {"Q", SDL_SCANCODE_Q, SDLK_q, KMOD_NONE, 'Q', 0x10, false},
      {"Q with Shift", SDL_SCANCODE_Q, SDLK_q, KMOD_LSHIFT, 'Q', 0x10, false},
      {"Escape", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 0x1B, 0x01, false},
      {"F1", SDL_SCANCODE_F1, SDLK_F1, KMOD_NONE, 0x70, 0x3B, false},
      {"space", SDL_SCANCODE_SPACE, SDLK_SPACE, KMOD_NONE, 0x20, 0x39, false},
      {"a", SDL_SCANCODE_A, SDLK_a, KMOD_NONE, 'A', 0x1E, false},
      {"l", SDL_SCANCODE_L, SDLK_l, KMOD_NONE, 'L', 0x26, false},
      {"minus", SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_NONE, 0xBD, 0x0C, false},
      {"left Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT, 0x10, 0x2A, false},
      {"right Shift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KMOD_RSHIFT, 0x10, 0x36, false},
      {"right Ctrl", SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL, 0x11, 0x1D, true},
      {"right Alt", SDL_SCANCODE_RALT, SDLK_RALT, KMOD_RALT, 0x12, 0x38, true},
      {"keypad 8, Num Lock on", SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM, 0x68, 0x48, false},
      {"keypad 8, Num Lock off", SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NONE, 0x26, 0x48, false},
      {"keypad 5, Num Lock off", SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NONE, 0x0C, 0x4C, false},
      {"arrow Up", SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE, 0x26, 0x48, true},
      {"arrow Up, Num Lock on", SDL_SCANCODE_UP, SDLK_UP, KMOD_NUM, 0x26, 0x48, true},
      {"keypad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE, 0x0D, 0x1C, true},
      {"keypad /", SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, KMOD_NONE, 0x6F, 0x35, true},
      {"Num Lock", SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, KMOD_NUM, 0x90, 0x45, true},
      {"Pause", SDL_SCANCODE_PAUSE, SDLK_PAUSE, KMOD_NONE, 0x13, 0x45, false},
      {"left Windows", SDL_SCANCODE_LGUI, SDLK_LGUI, KMOD_LGUI, 0x5B, 0x5B, true},
      // A French layout has A where a US one has Q: Windows names the key by its letter.
      {"A on a French layout", SDL_SCANCODE_Q, SDLK_a, KMOD_NONE, 'A', 0x10, false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.key);
    const std::vector<host_event> events = events_of(key_event(SDL_KEYDOWN, r.scancode, r.keycode, r.mod));
    ASSERT_FALSE(events.empty());
    const host_event& e = events.front();
    EXPECT_EQ(e.type, kind::key);
    EXPECT_EQ(e.window, window_id);
    EXPECT_EQ(e.key.virtual_key, r.virtual_key);
    EXPECT_EQ(e.key.scan_code, r.scan_code);
    EXPECT_EQ(e.key.extended, r.extended);
    EXPECT_TRUE(e.key.down);
  }
  // Windows has no virtual key for this one: nothing arrives.
  EXPECT_TRUE(events_of(key_event(SDL_KEYDOWN, SDL_SCANCODE_AUDIOPLAY, SDLK_AUDIOPLAY, KMOD_NONE)).empty());
}

TEST_F(SdlInput, KeysCarryRepeatAltAndLocks) {
  struct row {
    const char* what;
    SDL_Event sdl;
    bool down, repeat, alt;
    std::uint32_t locks;
  };
  const row rows[] = {
      {"first press", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NONE), true, false, false, 0},
      {"auto-repeat", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NONE, 1), true, true, false, 0},
      {"release", key_event(SDL_KEYUP, SDL_SCANCODE_Q, SDLK_q, KMOD_NONE), false, false, false, 0},
      {"Alt+F4", key_event(SDL_KEYDOWN, SDL_SCANCODE_F4, SDLK_F4, KMOD_LALT), true, false, true, 0},
      {"Alt going up", key_event(SDL_KEYUP, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_NONE), false, false, true, 0},
      {"Ctrl+Alt+Q", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_LCTRL | KMOD_LALT), true, false,
       false, 0},
      {"Num Lock on", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NUM), true, false, false,
       host_event::num_lock},
      {"every lock on", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NUM | KMOD_CAPS | KMOD_SCROLL),
       true, false, false, host_event::num_lock | host_event::caps_lock | host_event::scroll_lock},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    const std::vector<host_event> events = events_of(r.sdl);
    ASSERT_FALSE(events.empty());
    const host_event& e = events.front();
    ASSERT_EQ(e.type, kind::key);
    EXPECT_EQ(e.key.down, r.down);
    EXPECT_EQ(e.key.repeat, r.repeat);
    EXPECT_EQ(e.key.alt, r.alt);
    EXPECT_EQ(e.key.locks, r.locks);
  }
}

TEST_F(SdlInput, TextFollowsTheKeyThatTypedIt) {
  struct row {
    const char* what;
    SDL_Event sdl;
    std::vector<kind> kinds;
    std::u16string text;  // of the text event, if any
  };
  const row rows[] = {
      // Outside the Basic Multilingual Plane: a surrogate pair.
      {"SDL's text", text_event("a\xF0\x9F\x98\x80"), {kind::text}, u"a\xD83D\xDE00"},
      {"Return",
       key_event(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE),
       {kind::key, kind::text},
       u"\r"},
      {"Ctrl+Return",
       key_event(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LCTRL),
       {kind::key, kind::text},
       u"\n"},
      {"Backspace",
       key_event(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE),
       {kind::key, kind::text},
       u"\b"},
      {"repeated Escape",
       key_event(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 1),
       {kind::key, kind::text},
       u"\x1b"},
      {"Ctrl+C",
       key_event(SDL_KEYDOWN, SDL_SCANCODE_C, SDLK_c, KMOD_RCTRL),
       {kind::key, kind::text},
       u"\x03"},
      {"Return going up",
       key_event(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE),
       {kind::key},
       u""},
      // SDL types these itself, or nothing is typed.
      {"a", key_event(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_NONE), {kind::key}, u""},
      {"AltGr+Q", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_LCTRL | KMOD_RALT), {kind::key}, u""},
      {"Ctrl+Tab", key_event(SDL_KEYDOWN, SDL_SCANCODE_TAB, SDLK_TAB, KMOD_LCTRL), {kind::key}, u""},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    const std::vector<host_event> events = events_of(r.sdl);
    std::vector<kind> kinds;
    for (const host_event& e : events) kinds.push_back(e.type);
    ASSERT_EQ(kinds, r.kinds);
    if (kinds.back() != kind::text) continue;
    EXPECT_EQ(events.back().text, r.text);
    EXPECT_EQ(events.back().window, window_id);
  }
}

TEST_F(SdlInput, MouseButtonsMotionAndWheel) {
  // Every event at client pixel (5, 6) of the window.
  const auto mouse = [](Uint32 type, Uint8 button, float wheel_y) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEWHEEL) {
      e.wheel.windowID = window_id;
      e.wheel.preciseY = wheel_y;
    } else if (type == SDL_MOUSEMOTION) {
      e.motion.windowID = window_id;
      e.motion.x = 5;
      e.motion.y = 6;
    } else {
      e.button.windowID = window_id;
      e.button.button = button;
      e.button.x = 5;
      e.button.y = 6;
    }
    return e;
  };
  struct row {
    const char* what;
    SDL_Event sdl;
    std::vector<kind> kinds;
    int button;
    bool down;
    int wheel_delta;
  };
  const row rows[] = {
      {"motion", mouse(SDL_MOUSEMOTION, 0, 0), {kind::mouse_move}, 0, false, 0},
      {"left down", mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0), {kind::button}, 0, true, 0},
      {"left up", mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0), {kind::button}, 0, false, 0},
      {"right down", mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 0), {kind::button}, 1, true, 0},
      {"middle down", mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 0), {kind::button}, 2, true, 0},
      {"side button", mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 0), {}, 0, false, 0},
      {"notch away", mouse(SDL_MOUSEWHEEL, 0, 1.0f), {kind::wheel}, 0, false, 120},
      {"notch back", mouse(SDL_MOUSEWHEEL, 0, -1.0f), {kind::wheel}, 0, false, -120},
      {"a quarter", mouse(SDL_MOUSEWHEEL, 0, 0.25f), {kind::wheel}, 0, false, 30},
      {"sideways only", mouse(SDL_MOUSEWHEEL, 0, 0.0f), {}, 0, false, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    const std::vector<host_event> events = events_of(r.sdl);
    std::vector<kind> kinds;
    for (const host_event& e : events) kinds.push_back(e.type);
    ASSERT_EQ(kinds, r.kinds);
    if (events.empty()) continue;
    const host_event& e = events[0];
    EXPECT_EQ(e.window, window_id);
    if (e.type == kind::wheel) {
      EXPECT_EQ(e.mouse.wheel_delta, r.wheel_delta);
      continue;
    }
    EXPECT_EQ(e.mouse.x, 5);
    EXPECT_EQ(e.mouse.y, 6);
    if (e.type != kind::button) continue;
    EXPECT_EQ(e.mouse.button, r.button);
    EXPECT_EQ(e.mouse.down, r.down);
  }
}

}  // namespace
