// The SDL2 host's input events: SDL's keys, text and mouse become the
// host_events from which the portable subset makes Windows' messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/sdl/sdl_host.h"
#include "tests/platform/xvfb_display.h"

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
      {"F24", SDL_SCANCODE_F24, SDLK_F24, KMOD_NONE, 0x87, 0x76, false},
      {"space", SDL_SCANCODE_SPACE, SDLK_SPACE, KMOD_NONE, 0x20, 0x39, false},
      {"a", SDL_SCANCODE_A, SDLK_a, KMOD_NONE, 'A', 0x1E, false},
      {"l", SDL_SCANCODE_L, SDLK_l, KMOD_NONE, 'L', 0x26, false},
      {"7", SDL_SCANCODE_7, SDLK_7, KMOD_NONE, '7', 0x08, false},
      {"minus", SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_NONE, 0xBD, 0x0C, false},
      {"apostrophe", SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, KMOD_NONE, 0xDE, 0x28, false},
      {"left Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT, 0x10, 0x2A, false},
      {"right Shift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KMOD_RSHIFT, 0x10, 0x36, false},
      {"left Ctrl", SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL, 0x11, 0x1D, false},
      {"right Ctrl", SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL, 0x11, 0x1D, true},
      {"right Alt", SDL_SCANCODE_RALT, SDLK_RALT, KMOD_RALT, 0x12, 0x38, true},
      {"keypad 8, Num Lock on", SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM, 0x68, 0x48, false},
      {"keypad 8, Num Lock off", SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NONE, 0x26, 0x48, false},
      {"keypad 5, Num Lock off", SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NONE, 0x0C, 0x4C, false},
      {"keypad ., Num Lock off", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NONE, 0x2E, 0x53, false},
      {"arrow Up", SDL_SCANCODE_UP, SDLK_UP, KMOD_NONE, 0x26, 0x48, true},
      {"arrow Up, Num Lock on", SDL_SCANCODE_UP, SDLK_UP, KMOD_NUM, 0x26, 0x48, true},
      {"Delete", SDL_SCANCODE_DELETE, SDLK_DELETE, KMOD_NONE, 0x2E, 0x53, true},
      {"keypad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE, 0x0D, 0x1C, true},
      {"keypad /", SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, KMOD_NONE, 0x6F, 0x35, true},
      {"Num Lock", SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, KMOD_NUM, 0x90, 0x45, true},
      {"Pause", SDL_SCANCODE_PAUSE, SDLK_PAUSE, KMOD_NONE, 0x13, 0x45, false},
      {"Print Screen", SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, KMOD_NONE, 0x2C, 0x37, true},
      {"left Windows", SDL_SCANCODE_LGUI, SDLK_LGUI, KMOD_LGUI, 0x5B, 0x5B, true},
      {"menu", SDL_SCANCODE_APPLICATION, SDLK_APPLICATION, KMOD_NONE, 0x5D, 0x5D, true},
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
      {"Ctrl+Alt+Q", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_LCTRL | KMOD_LALT), true, false, false, 0},
      {"Num Lock on", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NUM), true, false, false,
       host_event::num_lock},
      {"every lock on", key_event(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_NUM | KMOD_CAPS | KMOD_SCROLL), true,
       false, false, host_event::num_lock | host_event::caps_lock | host_event::scroll_lock},
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
      {"Return", key_event(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE), {kind::key, kind::text}, u"\r"},
      {"keypad Enter", key_event(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE),
       {kind::key, kind::text}, u"\r"},
      {"Ctrl+Return", key_event(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LCTRL),
       {kind::key, kind::text}, u"\n"},
      {"Backspace", key_event(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE),
       {kind::key, kind::text}, u"\b"},
      {"Tab", key_event(SDL_KEYDOWN, SDL_SCANCODE_TAB, SDLK_TAB, KMOD_NONE), {kind::key, kind::text}, u"\t"},
      {"repeated Escape", key_event(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 1),
       {kind::key, kind::text}, u"\x1b"},
      {"Ctrl+C", key_event(SDL_KEYDOWN, SDL_SCANCODE_C, SDLK_c, KMOD_RCTRL), {kind::key, kind::text}, u"\x03"},
      {"Return going up", key_event(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE), {kind::key}, u""},
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
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = window_id;
  motion.motion.x = 12;
  motion.motion.y = 34;
  std::vector<host_event> events = events_of(motion);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, kind::mouse_move);
  EXPECT_EQ(events[0].window, window_id);
  EXPECT_EQ(events[0].mouse.x, 12);
  EXPECT_EQ(events[0].mouse.y, 34);

  struct button_row {
    Uint32 type;
    Uint8 sdl_button;
    int button;  // -1: nothing arrives
    bool down;
  };
  for (const button_row& r : {button_row{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0, true},
                              button_row{SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0, false},
                              button_row{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, true},
                              button_row{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 2, true},
                              button_row{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, -1, true}}) {
    SCOPED_TRACE(static_cast<int>(r.sdl_button));
    SDL_Event e{};
    e.type = r.type;
    e.button.windowID = window_id;
    e.button.button = r.sdl_button;
    e.button.x = 5;
    e.button.y = 6;
    events = events_of(e);
    if (r.button < 0) {
      EXPECT_TRUE(events.empty());
      continue;
    }
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, kind::button);
    EXPECT_EQ(events[0].mouse.button, r.button);
    EXPECT_EQ(events[0].mouse.down, r.down);
    EXPECT_EQ(events[0].mouse.x, 5);
    EXPECT_EQ(events[0].mouse.y, 6);
  }

  struct wheel_row {
    float precise_y;
    int delta;  // 0: nothing arrives
  };
  for (const wheel_row& r : {wheel_row{1.0f, 120}, wheel_row{-1.0f, -120}, wheel_row{0.25f, 30},
                             wheel_row{-2.5f, -300}, wheel_row{0.0f, 0}}) {
    SCOPED_TRACE(r.precise_y);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = window_id;
    e.wheel.preciseY = r.precise_y;
    events = events_of(e);
    if (r.delta == 0) {
      EXPECT_TRUE(events.empty());
      continue;
    }
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, kind::wheel);
    EXPECT_EQ(events[0].mouse.wheel_delta, r.delta);
  }
}

}  // namespace
