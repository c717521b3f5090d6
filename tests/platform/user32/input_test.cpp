// The host's input as the program receives it: key messages and their lParam,
// characters, mouse and wheel messages, the key state GetKeyState reports, and
// the place of input in the queue.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"
#include "tests/conformance/recording_window.h"
#include "tests/support/scripted_host.h"

namespace {

using scripted::key_press;

class Input : public ::testing::Test {
 protected:
  Input() {
    window = recorder.create(WS_OVERLAPPEDWINDOW, 100, 50, 416, 339);
    ShowWindow(window, SW_SHOWNORMAL);
    recorder.dispatch_all();
    native = host.newest_window();
  }

  // The next message, which must be there.
  MSG next() {
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    return msg;
  }

  scripted::host host;
  conformance::recording_class recorder;
  HWND window = nullptr;
  portable::native_window native = 0;
};

TEST_F(Input, KeysBecomeKeyMessagesWithWindowsLParam) {
  struct key_case {
    const char* name;
    key_press key;
    bool down;
    UINT message;
    WPARAM virtual_key;
    DWORD lparam;
  };
  const key_case cases[] = {
      {"a letter", {'A', 0x1E}, true, WM_KEYDOWN, 'A', 0x001E0001},
      {"its auto-repeat", {'A', 0x1E, false, true}, true, WM_KEYDOWN, 'A', 0x401E0001},
      {"its release", {'A', 0x1E}, false, WM_KEYUP, 'A', 0xC01E0001},
      {"with Alt held", {'X', 0x2D, false, false, true}, true, WM_SYSKEYDOWN, 'X', 0x202D0001},
      {"Alt itself", {VK_MENU, 0x38}, true, WM_SYSKEYDOWN, VK_MENU, 0x20380001},
      {"Alt going up", {VK_MENU, 0x38}, false, WM_SYSKEYUP, VK_MENU, 0xC0380001},
      {"F10", {VK_F10, 0x44}, true, WM_SYSKEYDOWN, VK_F10, 0x00440001},
      {"right Shift by name", {VK_RSHIFT}, true, WM_KEYDOWN, VK_SHIFT, 0x00360001},
      {"left Shift by name", {VK_LSHIFT}, true, WM_KEYDOWN, VK_SHIFT, 0x002A0001},
      {"right Ctrl by name", {VK_RCONTROL, 0x1D}, true, WM_KEYDOWN, VK_CONTROL, 0x011D0001},
      {"the arrow block's Up", {VK_UP, 0x48, true}, true, WM_KEYDOWN, VK_UP, 0x01480001},
      {"keypad 8 without Num Lock", {VK_UP, 0x48}, true, WM_KEYDOWN, VK_UP, 0x00480001},
  };
  for (const key_case& c : cases) {
    SCOPED_TRACE(c.name);
    host.event_now(c.down ? scripted::key_down(native, c.key) : scripted::key_up(native, c.key));
    const MSG msg = next();
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, c.message);
    EXPECT_EQ(msg.wParam, c.virtual_key);
    EXPECT_EQ(msg.lParam, static_cast<LPARAM>(c.lparam));
  }
}

// GetKeyState follows the messages the program has taken, not the events: a
// right Shift pressed and released before the program looks is still down
// while its key-down is being handled, so the Shift fix-up can tell the side.
TEST_F(Input, KeyStateFollowsTheRetrievedMessages) {
  host.event_now(scripted::key_down(native, {VK_SHIFT, 0x36}));
  host.event_now(scripted::key_up(native, {VK_SHIFT, 0x36}));
  MSG peeked;
  ASSERT_TRUE(PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

  EXPECT_EQ(next().message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_RSHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_LSHIFT) & 0x8000, 0);
  EXPECT_EQ(static_cast<WORD>(GetKeyState(VK_RSHIFT)), 0xFF81);  // down and toggled

  EXPECT_EQ(next().message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_RSHIFT), 1);  // up, still toggled by the press
}

TEST_F(Input, LockKeysTakeTheirToggleFromTheHost) {
  const std::uint32_t locks = portable::host_event::num_lock | portable::host_event::scroll_lock;
  host.event_now(scripted::key_down(native, {VK_NUMPAD8, 0x48, false, false, false, locks}));
  next();
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
  EXPECT_EQ(GetKeyState(VK_SCROLL), 1);
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
  host.event_now(scripted::key_up(native, {VK_NUMPAD8, 0x48, false, false, false, 0}));
  next();
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 0);
}

TEST_F(Input, TypedTextBecomesCharactersOfItsKeyDown) {
  host.event_now(scripted::key_down(native, {'E', 0x12}));
  host.event_now(scripted::typed(native, u"\u00E9\U0001F600"));
  host.event_now(scripted::key_up(native, {'E', 0x12}));
  host.event_now(scripted::typed(native, u"z"));  // an input method's: no key-down
  std::vector<std::pair<UINT, WPARAM>> seen;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    seen.emplace_back(msg.message, msg.wParam);
    TranslateMessage(&msg);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {{WM_KEYDOWN, 'E'}, {WM_CHAR, 0xE9},
                                                         {WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00},
                                                         {WM_KEYUP, 'E'},   {WM_CHAR, u'z'}};
  EXPECT_EQ(seen, expected);
}

TEST_F(Input, MouseMessagesCarryClientCoordinatesAndTheButtonsDown) {
  host.set_cursor_position(0, 0);
  host.event_now(scripted::mouse_move(native, 5, 6));
  host.event_now(scripted::mouse_move(native, 10, 20));  // merges with the move before
  host.event_now(scripted::key_down(native, {VK_SHIFT, 0x2A}));
  host.event_now(scripted::button(native, 11, 21, 0, true));
  host.event_now(scripted::button(native, 12, 22, 1, true));
  host.event_now(scripted::button(native, 12, 22, 0, false));
  host.event_now(scripted::button(native, 12, 22, 2, true));
  host.event_now(scripted::wheel(native, -30, 700, -240));

  MSG move = next();
  EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(move.lParam, MAKELPARAM(10, 20));
  EXPECT_EQ(move.wParam, 0u);
  EXPECT_EQ(move.pt.x, 100 + 8 + 10);  // the client origin is inside the frame
  EXPECT_EQ(move.pt.y, 50 + 31 + 20);
  EXPECT_EQ(next().message, static_cast<UINT>(WM_KEYDOWN));

  struct button_case {
    UINT message;
    WPARAM flags;
  };
  for (const button_case& c : {button_case{WM_LBUTTONDOWN, MK_SHIFT | MK_LBUTTON},
                               button_case{WM_RBUTTONDOWN, MK_SHIFT | MK_LBUTTON | MK_RBUTTON},
                               button_case{WM_LBUTTONUP, MK_SHIFT | MK_RBUTTON},
                               button_case{WM_MBUTTONDOWN, MK_SHIFT | MK_RBUTTON | MK_MBUTTON}}) {
    const MSG msg = next();
    EXPECT_EQ(msg.message, c.message);
    EXPECT_EQ(msg.wParam, c.flags);
  }
  EXPECT_LT(GetKeyState(VK_RBUTTON), 0);
  EXPECT_EQ(GetKeyState(VK_LBUTTON) & 0x8000, 0);

  const MSG wheel = next();
  EXPECT_EQ(wheel.message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel.wParam), -240);
  EXPECT_EQ(LOWORD(wheel.wParam), MK_SHIFT | MK_RBUTTON | MK_MBUTTON);
  EXPECT_EQ(static_cast<short>(LOWORD(wheel.lParam)), -30);  // screen coordinates, sign kept
  EXPECT_EQ(static_cast<short>(HIWORD(wheel.lParam)), 700);
}

TEST_F(Input, InputComesAfterPostedMessagesAndBeforePaint) {
  InvalidateRect(window, nullptr, FALSE);
  host.event_now(scripted::key_down(native, {'Q', 0x10}));
  PostMessageW(window, WM_USER, 0, 0);
  std::vector<UINT> order;
  for (int i = 0; i < 3; ++i) order.push_back(next().message);
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_PAINT}));
}

TEST_F(Input, TheCursorIsWhereTheHostSaysAndClientCoordinatesAreInsideTheFrame) {
  host.set_cursor_position(300, 200);
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 200);
  ASSERT_TRUE(ScreenToClient(window, &p));
  EXPECT_EQ(p.x, 300 - 100 - 8);
  EXPECT_EQ(p.y, 200 - 50 - 31);
}

TEST_F(Input, EventsOfAWindowThatIsGoneAreDropped) {
  host.event_now(scripted::key_down(native, {'A', 0x1E}));
  DestroyWindow(window);
  host.event_now(scripted::key_down(native, {'B', 0x30}));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
