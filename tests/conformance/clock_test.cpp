// The performance counter and Sleep: the clock the program's frame schedule and
// its waits are measured on.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/conformance/stopwatch.h"

namespace {

TEST(PerformanceCounter, FrequencyIsPositiveAndFixed) {
  LARGE_INTEGER first, second;
  ASSERT_TRUE(QueryPerformanceFrequency(&first));
  ASSERT_TRUE(QueryPerformanceFrequency(&second));
  EXPECT_GT(first.QuadPart, 0);
  EXPECT_EQ(second.QuadPart, first.QuadPart);
}

// Two reads in a row may give the same value on a coarse counter, so only a
// step backwards is wrong; across a sleep the counter must really move.
TEST(PerformanceCounter, NeverGoesBackAndMovesAcrossASleep) {
  LARGE_INTEGER frequency, before, after;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  LONGLONG previous = before.QuadPart;
  for (int i = 0; i < 1000; ++i) {
    LARGE_INTEGER now;
    ASSERT_TRUE(QueryPerformanceCounter(&now));
    ASSERT_GE(now.QuadPart, previous);
    previous = now.QuadPart;
  }
  Sleep(20);
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  EXPECT_GE(after.QuadPart - before.QuadPart, frequency.QuadPart * 4 / 1000);  // 20 ms less a tick
}

TEST(Sleep, LastsAboutTheTimeAsked) {
  for (const DWORD ms : {0u, 1u, 30u, 100u}) {
    SCOPED_TRACE(ms);
    const stopwatch watch;
    Sleep(ms);
    const double elapsed = watch.elapsed_ms();
    EXPECT_GE(elapsed, ms - timer_tick_ms);
    EXPECT_LT(elapsed, ms + late_ms);
  }
}

}  // namespace
