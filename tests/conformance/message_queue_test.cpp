// The thread's message queue: messages posted to the thread itself, peeking with
// and without removal and through a range filter, the quit message, and what
// TranslateMessage reports.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

namespace {

// The program's own messages start at WM_USER.
constexpr UINT first = WM_USER + 1, second = WM_USER + 2, third = WM_USER + 3;

std::vector<UINT> remove_all() {
  std::vector<UINT> order;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) order.push_back(msg.message);
  return order;
}

TEST(MessageQueue, ThreadMessagesComeBackInOrderWithTheirParameters) {
  ASSERT_TRUE(PostMessageW(nullptr, first, 11, 12));
  ASSERT_TRUE(PostMessageW(nullptr, second, 21, -22));

  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, first);
  EXPECT_EQ(msg.wParam, 11u);
  EXPECT_EQ(msg.lParam, 12);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, second);
  EXPECT_EQ(msg.wParam, 21u);
  EXPECT_EQ(msg.lParam, -22);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(MessageQueue, PeekingWithoutRemovalLeavesTheMessageInPlace) {
  PostMessageW(nullptr, first, 0, 0);
  PostMessageW(nullptr, second, 0, 0);
  MSG msg;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, first);
  }
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, first);
  EXPECT_EQ(remove_all(), std::vector<UINT>{second});
}

TEST(MessageQueue, RangeFiltersPickTheOldestMatchAndKeepTheRest) {
  struct filter_case {
    UINT min, max;
    UINT expected;  // 0: nothing in the range
  };
  const filter_case cases[] = {
      {0, 0, first},            // 0 and 0: every message
      {second, third, second},  // bounds are inclusive
      {third, third, third},   {first, first, first}, {WM_USER + 10, WM_USER + 20, 0}, {0, WM_USER, 0},
  };
  PostMessageW(nullptr, first, 0, 0);
  PostMessageW(nullptr, second, 0, 0);
  PostMessageW(nullptr, third, 0, 0);
  for (const filter_case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max);
    MSG msg{};
    const BOOL found = PeekMessageW(&msg, nullptr, c.min, c.max, PM_NOREMOVE);
    EXPECT_EQ(found != 0, c.expected != 0);
    if (found) {
      EXPECT_EQ(msg.message, c.expected);
    }
  }

  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, second, second, PM_REMOVE));
  EXPECT_EQ(msg.message, second);
  ASSERT_EQ(GetMessageW(&msg, nullptr, third, third), 1);
  EXPECT_EQ(msg.message, third);
  EXPECT_EQ(remove_all(), std::vector<UINT>{first});
}

TEST(QuitMessage, ComesAfterEveryPostedMessageAndEndsGetMessage) {
  PostMessageW(nullptr, first, 0, 0);
  PostQuitMessage(3);
  PostMessageW(nullptr, second, 0, 0);

  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, first);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, second);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));  // retrieved once only
}

TEST(QuitMessage, IsPeekedLikeAnyOtherUntilRemoved) {
  PostQuitMessage(4);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 4u);
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 4u);
}

TEST(QuitMessage, PostingItTwiceMakesOneWithTheLatestCode) {
  PostQuitMessage(1);
  PostQuitMessage(2);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

// The quit message passes every range filter, even ahead of posted messages
// that the filter leaves out.
TEST(QuitMessage, PassesAnyRangeFilter) {
  PostMessageW(nullptr, first, 0, 0);
  PostQuitMessage(5);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, second, third), 0);
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_EQ(remove_all(), std::vector<UINT>{first});
}

// TranslateMessage turns a real key press into WM_CHAR, but a real key press
// needs input that no call of the program's subset can make; the portable side
// tests it with the scripted host's input. Windows also translates a key-down
// that the program posts itself, from the keyboard layout, where the portable
// subset types only what the host reported for a real key: the program never
// posts key messages, so that case is left out. So are the character messages
// (WM_CHAR to WM_UNICHAR), for which Wine's TranslateMessage returns TRUE and
// the documentation zero; the program ignores the result. What holds everywhere:
// TRUE for a key-up, FALSE for a message outside the keyboard's, nothing posted.
TEST(TranslateMessage, ReportsKeyMessagesAndPostsNothingForOthers) {
  struct translate_case {
    UINT message;
    bool key;
  };
  const translate_case cases[] = {
      {WM_KEYUP, true},  {WM_SYSKEYUP, true}, {WM_NULL, false},
      {WM_CLOSE, false}, {WM_QUIT, false},    {first, false},
  };
  for (const translate_case& c : cases) {
    SCOPED_TRACE(c.message);
    // A key-up's flags (released, was down, scan code 0x1E, one repeat): a
    // bit pattern that a 32-bit LPARAM holds as a negative number.
    const MSG msg{nullptr, c.message, 'A', static_cast<LPARAM>(0xC01E0001u), 0, {}};
    EXPECT_EQ(TranslateMessage(&msg) != 0, c.key);
    EXPECT_EQ(remove_all(), std::vector<UINT>{});
  }
}

}  // namespace
