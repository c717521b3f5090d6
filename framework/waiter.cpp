#include "framework/waiter.h"

#include "framework/clock.h"
#include "framework/last_error.h"

void waiter::reset() {
  count = 0;
  wake_on_input = false;
  skip_wait = false;
  deadline_ns = -1;
}

void waiter::add_deadline(std::int64_t t) {
  if (deadline_ns == -1 || t < deadline_ns) deadline_ns = t;
}

std::int32_t waiter::wait() {
  const std::int64_t now = now_ns();
  if (deadline_ns == -1 && count == 0) {
    if (skip_wait) return woke;
    if (!wake_on_input) return nothing_to_wait_for;
  }
  if (skip_wait) return woke;

  DWORD timeout = INFINITE;
  if (deadline_ns != -1) {
    const std::int32_t ms = static_cast<std::int32_t>((deadline_ns - now + 999999) / 1000000);
    if (ms <= 0) return woke;
    timeout = static_cast<DWORD>(ms);
  }

  if (wake_on_input) {
    if (MsgWaitForMultipleObjects(count, handles, FALSE, timeout, QS_ALLINPUT) == WAIT_FAILED) {
      discard_last_error();
      return wait_failed;
    }
  } else if (count > 0) {
    if (WaitForMultipleObjects(count, handles, FALSE, timeout) == WAIT_FAILED) {
      discard_last_error();
      return wait_failed;
    }
  } else {
    Sleep(timeout);
  }
  return woke;
}
