// The message pump when GetMessageW fails (-1) on a message that PeekMessageW has
// just reported. No call of the portable subset fails that way on demand, so the
// linker sends the framework's calls of GetMessageW to failing_get_message below
// (GNU ld's --wrap, set in CMakeLists.txt), which fails while failures are left
// and otherwise passes the call on.
#include <gtest/gtest.h>

#include <vector>

#include "framework/desktop.h"
#include "framework/waiter.h"
#include "platform/portable/user32/window_registry.h"
#include "tests/support/scripted_host.h"

namespace {
int failures_left = 0;
int get_message_calls = 0;
std::vector<UINT> dispatched;
}  // namespace

// GetMessageW(MSG*, HWND, UINT, UINT) as GCC names it.
BOOL real_get_message(LPMSG, HWND, UINT, UINT) __asm__("__real__Z11GetMessageWP3MSGP6HWND__jj");
BOOL failing_get_message(LPMSG, HWND, UINT, UINT) __asm__("__wrap__Z11GetMessageWP3MSGP6HWND__jj");

BOOL failing_get_message(LPMSG msg, HWND window, UINT filter_min, UINT filter_max) {
  ++get_message_calls;
  if (failures_left == 0) return real_get_message(msg, window, filter_min, filter_max);
  --failures_left;
  *msg = MSG{window, WM_USER + 99, 0, 0, 0, {}};  // nothing valid was retrieved
  SetLastError(ERROR_GEN_FAILURE);
  return -1;
}

namespace {

LRESULT CALLBACK recording_procedure(HWND, UINT message, WPARAM, LPARAM) {
  dispatched.push_back(message);
  return 0;
}

TEST(MessagePump, AFailedRetrievalEndsThePassAndTheNextPassRetries) {
  constexpr std::int64_t ms = 1000000;
  scripted::host host;
  const HWND target = portable::register_window(recording_procedure);
  PostMessageW(target, WM_USER, 0, 0);
  host.post_quit_at(50 * ms);
  desktop d;

  // Failures enough to let a pump that retried at once run on and dispatch.
  failures_left = 1000;
  get_message_calls = 0;
  waiter first_pass;
  d.pump_messages(first_pass);
  EXPECT_EQ(get_message_calls, 1);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_FALSE(d.quit_requested);
  // The waiter still waits for messages, and the message that could not be
  // retrieved, no longer new, does not end the wait at once.
  EXPECT_EQ(first_pass.wait(), waiter::woke);
  ASSERT_EQ(host.waits().size(), 1u);
  EXPECT_EQ(host.waits()[0].type, scripted::wait_record::kind::for_input);
  EXPECT_EQ(host.waits()[0].timeout_ms, -1);
  EXPECT_GE(host.now(), 50 * ms);

  failures_left = 0;
  waiter second_pass;
  d.pump_messages(second_pass);
  EXPECT_EQ(dispatched, std::vector<UINT>{WM_USER});
  EXPECT_TRUE(d.quit_requested);
  portable::unregister_window(target);
}

}  // namespace
