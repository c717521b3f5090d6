// Waiting for messages with MsgWaitForMultipleObjects and no handles, as the
// program's waiter does: a timeout, and which queued messages end the wait.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/conformance/stopwatch.h"

namespace {

constexpr UINT posted = WM_USER + 1;

enum class before_the_wait {
  nothing,
  post,               // a message is posted and nobody has looked at the queue since
  post_then_peek,     // ... and PeekMessageW has seen it, without removing it
  post_then_get_all,  // ... and it was retrieved
  quit,               // PostQuitMessage
  quit_then_peek,
};

struct wait_case {
  const char* name;
  before_the_wait setup;
  DWORD wake_mask;
  DWORD expected;
};

// Only input that arrived since the thread last looked at its queue ends the
// wait: a message PeekMessageW has already reported does not, though it is
// still queued.
TEST(MessageWait, EndsOnNewMessagesOnlyOrAfterTheTimeout) {
  const wait_case cases[] = {
      {"an empty queue", before_the_wait::nothing, QS_ALLINPUT, WAIT_TIMEOUT},
      {"a new posted message", before_the_wait::post, QS_ALLINPUT, WAIT_OBJECT_0},
      {"a new posted message, posted messages awaited", before_the_wait::post, QS_POSTMESSAGE, WAIT_OBJECT_0},
      {"a new posted message, only keys awaited", before_the_wait::post, QS_KEY, WAIT_TIMEOUT},
      {"a posted message already peeked", before_the_wait::post_then_peek, QS_ALLINPUT, WAIT_TIMEOUT},
      {"a posted message already retrieved", before_the_wait::post_then_get_all, QS_ALLINPUT, WAIT_TIMEOUT},
      {"a new quit message", before_the_wait::quit, QS_ALLINPUT, WAIT_OBJECT_0},
      {"a quit message already peeked", before_the_wait::quit_then_peek, QS_ALLINPUT, WAIT_TIMEOUT},
  };
  constexpr DWORD timeout = 100;
  for (const wait_case& c : cases) {
    SCOPED_TRACE(c.name);
    MSG msg;
    switch (c.setup) {
      case before_the_wait::nothing:
        break;
      case before_the_wait::post:
        PostMessageW(nullptr, posted, 0, 0);
        break;
      case before_the_wait::post_then_peek:
        PostMessageW(nullptr, posted, 0, 0);
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
        break;
      case before_the_wait::post_then_get_all:
        PostMessageW(nullptr, posted, 0, 0);
        ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 1);
        break;
      case before_the_wait::quit:
        PostQuitMessage(0);
        break;
      case before_the_wait::quit_then_peek:
        PostQuitMessage(0);
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
        break;
    }
    const stopwatch watch;
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, c.wake_mask), c.expected);
    const double elapsed = watch.elapsed_ms();
    if (c.expected == WAIT_TIMEOUT) {
      EXPECT_GE(elapsed, timeout - timer_tick_ms);
      EXPECT_LT(elapsed, timeout + late_ms);
    } else {
      EXPECT_LT(elapsed, timeout - timer_tick_ms);  // at once, not at the timeout
    }
    // Whatever was queued is still there, for the next test case to clear.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

TEST(MessageWait, AZeroTimeoutOnlyLooks) {
  const stopwatch watch;
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  EXPECT_LT(watch.elapsed_ms(), late_ms);
  PostMessageW(nullptr, posted, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT), WAIT_OBJECT_0);
}

}  // namespace
