// The portable message queue: retrieval order, filters, translation of typed
// text, dispatch, and waiting for messages.
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/user32/message_queue.h"
#include "platform/portable/user32/window_registry.h"
#include "platform/win32.h"
#include "tests/support/scripted_host.h"

namespace {

std::vector<MSG> received;

LRESULT CALLBACK receiving_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  received.push_back(MSG{window, message, wparam, lparam, 0, {}});
  return 42;
}

class MessageQueue : public ::testing::Test {
 protected:
  MessageQueue() { received.clear(); }
  ~MessageQueue() override {
    for (HWND w : portable::all_windows()) portable::unregister_window(w);
  }
  std::vector<UINT> drain() {
    std::vector<UINT> order;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) order.push_back(msg.message);
    return order;
  }
  scripted::host host;
};

TEST_F(MessageQueue, QuitComesAfterEveryPostedMessageWhateverTheOrderOfPosting) {
  PostMessageW(nullptr, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  PostMessageW(nullptr, WM_USER + 2, 0, 0);

  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1u);  // not removed: peeked again below
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER + 1u);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER + 2u);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));  // one quit, retrieved once
}

TEST_F(MessageQueue, FiltersSelectByWindowAndRange) {
  const HWND a = portable::register_window(receiving_procedure);
  const HWND b = portable::register_window(receiving_procedure);
  PostMessageW(a, WM_USER + 1, 0, 0);
  PostMessageW(b, WM_USER + 2, 0, 0);
  PostMessageW(nullptr, WM_USER + 3, 0, 0);

  struct filter_case {
    HWND window;
    UINT min, max;
    UINT expected;  // 0: nothing matches
  };
  const filter_case cases[] = {
      {nullptr, 0, 0, WM_USER + 1},
      {b, 0, 0, WM_USER + 2},
      {reinterpret_cast<HWND>(-1), 0, 0, WM_USER + 3},  // messages posted to the thread
      {nullptr, WM_USER + 2, WM_USER + 3, WM_USER + 2},
      {a, WM_USER + 2, WM_USER + 3, 0},
  };
  for (const filter_case& c : cases) {
    MSG msg{};
    const BOOL found = PeekMessageW(&msg, c.window, c.min, c.max, PM_NOREMOVE);
    EXPECT_EQ(found != 0, c.expected != 0);
    if (found) {
      EXPECT_EQ(msg.message, c.expected);
    }
  }
}

// Windows stamps a message with its tick count, milliseconds cut to 32 bits; the
// SDL host's counter counts nanoseconds since boot, so it must convert without
// overflowing on a machine that has been up for months.
TEST_F(MessageQueue, MessageTimeIsTheCounterInMillisecondsAfterMonthsOfUptime) {
  constexpr std::int64_t ms = 1000000, day = 86400000 * ms;
  for (const std::int64_t uptime : {5 * ms, 106 * day, 107 * day, 200 * day, 100000 * day}) {
    SCOPED_TRACE(uptime / day);
    host.set_now(uptime);
    PostMessageW(nullptr, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.time, static_cast<DWORD>(uptime / ms));  // reading the clock costs a microsecond
  }
}

TEST_F(MessageQueue, StaleAndUnknownWindowsAreRejected) {
  const HWND gone = portable::register_window(receiving_procedure);
  portable::unregister_window(gone);
  MSG msg{gone, WM_USER, 0, 0, 0, {}};

  SetLastError(0);
  EXPECT_FALSE(PostMessageW(gone, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0);
  EXPECT_EQ(GetMessageW(&msg, gone, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0);
  EXPECT_EQ(DispatchMessageW(&msg), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(received.empty());
}

TEST_F(MessageQueue, DispatchRunsTheWindowProcedureAndReturnsItsResult) {
  const HWND w = portable::register_window(receiving_procedure);
  PostMessageW(w, WM_USER, 7, 9);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(DispatchMessageW(&msg), 42);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].hwnd, w);
  EXPECT_EQ(received[0].wParam, 7u);
  EXPECT_EQ(received[0].lParam, 9);
}

TEST_F(MessageQueue, TranslateTurnsTypedTextIntoCharactersAfterTheKeyDown) {
  const HWND w = portable::register_window(receiving_procedure);
  portable::post_message(w, WM_KEYDOWN, 'A', 0x1E0001, u"a\U0001F600");
  portable::post_message(w, WM_SYSKEYDOWN, 'B', 0x20300001, u"b");
  portable::post_message(w, WM_KEYUP, 'A', 0xC01E0001);

  std::vector<std::pair<UINT, WPARAM>> seen;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    seen.emplace_back(msg.message, msg.wParam);
    TranslateMessage(&msg);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, 'A'}, {WM_SYSKEYDOWN, 'B'}, {WM_KEYUP, 'A'},   {WM_CHAR, u'a'},
      {WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00},    {WM_SYSCHAR, u'b'}};
  EXPECT_EQ(seen, expected);
}

TEST_F(MessageQueue, TranslatingTheSameKeyDownTwiceTypesItsTextOnce) {
  const HWND w = portable::register_window(receiving_procedure);
  portable::post_message(w, WM_KEYDOWN, 'A', 0x1E0001, u"a");
  MSG key;
  ASSERT_TRUE(PeekMessageW(&key, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(TranslateMessage(&key));
  EXPECT_TRUE(TranslateMessage(&key));
  EXPECT_EQ(drain(), std::vector<UINT>{WM_CHAR});
}

TEST_F(MessageQueue, CloseRequestsFromTheHostReachEveryWindow) {
  const HWND a = portable::register_window(receiving_procedure);
  const HWND b = portable::register_window(receiving_procedure);
  host.close_request_at(5000000);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  MSG msg;
  std::vector<HWND> closed;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    closed.push_back(msg.hwnd);
  }
  EXPECT_EQ(closed, (std::vector<HWND>{a, b}));
}

TEST_F(MessageQueue, WaitingForMessages) {
  struct wait_case {
    const char* name;
    bool message_queued;
    std::int64_t quit_at;  // -1: nothing scheduled
    DWORD timeout;
    DWORD expected;
    std::int64_t expected_now;
  };
  const wait_case cases[] = {
      {"a queued message ends the wait at once", true, -1, 50, WAIT_OBJECT_0, 0},
      {"a message arriving in time wakes the wait", false, 20000000, 50, WAIT_OBJECT_0, 20000000},
      {"the timeout passes first", false, 80000000, 50, WAIT_TIMEOUT, 50000000},
      {"nothing will ever arrive", false, -1, INFINITE, WAIT_FAILED, 0},
  };
  for (const wait_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host local;
    if (c.message_queued) PostMessageW(nullptr, WM_USER, 0, 0);
    if (c.quit_at >= 0) local.post_quit_at(c.quit_at);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, c.timeout, QS_ALLINPUT), c.expected);
    EXPECT_NEAR(local.now(), c.expected_now, 10000);  // reading the clock costs a microsecond
  }
}

TEST(WaitForObjects, EveryHandleIsInvalidBecauseNoneCanBeCreated) {
  scripted::host host;
  HANDLE handles[MAXIMUM_WAIT_OBJECTS + 1] = {};
  struct wait_case {
    DWORD count;
    DWORD error;
  };
  for (const wait_case c : {wait_case{0, ERROR_INVALID_PARAMETER}, wait_case{1, ERROR_INVALID_HANDLE},
                            wait_case{MAXIMUM_WAIT_OBJECTS + 1, ERROR_INVALID_PARAMETER}}) {
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(c.count, handles, FALSE, 10), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), c.error);
    if (c.count > 0) {
      SetLastError(0);
      EXPECT_EQ(MsgWaitForMultipleObjects(c.count, handles, FALSE, 10, QS_ALLINPUT), WAIT_FAILED);
      EXPECT_NE(GetLastError(), 0u);
    }
  }
  EXPECT_TRUE(host.waits().empty());
}

}  // namespace
