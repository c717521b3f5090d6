// The waiter's deadline rules and the frame timer's schedule, on the virtual clock.
#include <gtest/gtest.h>

#include <optional>

#include "framework/frame_timer.h"
#include "framework/waiter.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr std::int64_t ms = 1000000;
constexpr std::int64_t start = 1000 * ms;

struct wait_case {
  const char* name;
  std::optional<std::int64_t> deadline_from_now;
  bool wake_on_messages;
  bool no_wait;
  std::int32_t expected_result;
  // The platform wait the waiter should make, if any.
  std::optional<scripted::wait_record::kind> expected_kind;
  std::int64_t expected_timeout_ms;
};

TEST(Waiter, DeadlinesRoundUpToWholeMillisecondsAndPickTheRightWait) {
  using kind = scripted::wait_record::kind;
  const wait_case cases[] = {
      {"half a millisecond ahead waits one", 500000, true, false, 0, kind::for_input, 1},
      {"exactly now does not wait", 0, true, false, 0, std::nullopt, 0},
      {"in the past does not wait", -5 * ms, true, false, 0, std::nullopt, 0},
      {"no deadline waits for input without limit", std::nullopt, true, false, 0, kind::for_input, -1},
      {"nothing to wait for", std::nullopt, false, false, 2, std::nullopt, 0},
      {"deadline without input sleeps, rounded up", 2300000, false, false, 0, kind::sleep, 3},
      {"whole milliseconds are not rounded further", 4 * ms, true, false, 0, kind::for_input, 4},
      {"no_wait beats a deadline", 7 * ms, true, true, 0, std::nullopt, 0},
      {"no_wait alone returns at once", std::nullopt, false, true, 0, std::nullopt, 0},
  };
  for (const wait_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    host.set_now(start);
    host.post_quit_at(start + 50 * ms);  // something to wake an unlimited wait
    waiter w;
    if (c.deadline_from_now) w.add_deadline(start + *c.deadline_from_now);
    if (c.wake_on_messages) w.wake_on_messages();
    if (c.no_wait) w.no_wait();

    EXPECT_EQ(w.wait(), c.expected_result);
    if (c.expected_kind) {
      ASSERT_EQ(host.waits().size(), 1u);
      EXPECT_EQ(host.waits()[0].type, *c.expected_kind);
      EXPECT_EQ(host.waits()[0].timeout_ms, c.expected_timeout_ms);
    } else {
      EXPECT_TRUE(host.waits().empty());
    }
  }
}

TEST(Waiter, FailedPlatformWaitReturnsOne) {
  scripted::host host;  // nothing scheduled: an unlimited wait can never end
  waiter w;
  w.wake_on_messages();
  EXPECT_EQ(w.wait(), 1);
  EXPECT_TRUE(host.stalled());
}

TEST(Waiter, EarliestDeadlineWinsInEitherOrder) {
  const std::int64_t orders[][2] = {{5000000, 3000000}, {3000000, 5000000}};
  for (const auto& order : orders) {
    waiter w;
    w.add_deadline(order[0]);
    w.add_deadline(order[1]);
    EXPECT_EQ(w.deadline(), 3000000);
  }
}

TEST(Waiter, ResetForgetsEverything) {
  scripted::host host;
  waiter w;
  w.add_deadline(5 * ms);
  w.wake_on_messages();
  w.no_wait();
  w.reset();
  EXPECT_EQ(w.deadline(), -1);
  EXPECT_EQ(w.wait(), 2);
}

TEST(FrameTimer, DueSkipsToTheFirstGridPointAtOrAfterNow) {
  struct step {
    std::int64_t now;
    bool due;
    std::int64_t next_after;
  };
  // Origin 0, period 10 ms, next 0; each step continues from the previous one.
  const step steps[] = {
      {25000000, true, 30000000},  // frames at 0, 10 and 20 ms were missed: not made up
      {29999999, false, 30000000},
      {30000000, true, 30000000},  // exactly on the grid: next stays, due again
                                   // at once
      {30000000, true, 30000000},
      {30000001, true, 40000000},
      {95000000, true, 100000000},
  };
  scripted::host host;
  frame_timer timer{10000000, 0, 0};
  for (const step& s : steps) {
    SCOPED_TRACE(s.now);
    host.set_now(s.now);
    EXPECT_EQ(timer.due(), s.due);
    EXPECT_EQ(timer.next, s.next_after);
  }
}

TEST(FrameTimer, KeepsTheGridOfAnOriginThatIsNotZero) {
  scripted::host host;
  frame_timer timer{10000000, 3000000, 0};
  host.set_now(27000000);
  EXPECT_TRUE(timer.due());
  EXPECT_EQ(timer.next_frame_time(), 33000000);
}

}  // namespace
