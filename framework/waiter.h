// The event waiter: what one pass of the run loop may wait for (a deadline,
// wait handles, arriving input), and the wait itself.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class waiter {
 public:
  // wait() results
  static constexpr std::int32_t woke = 0;
  static constexpr std::int32_t wait_failed = 1;
  static constexpr std::int32_t nothing_to_wait_for = 2;

  waiter() { reset(); }

  // Forgets everything: no handles, no flags, no deadline.
  void reset();
  // Keeps the earlier of t and the current deadline.
  void add_deadline(std::int64_t t);
  // The next wait returns at once.
  void no_wait() { skip_wait = true; }
  // The next wait also ends when input arrives in the thread's message queue.
  void wake_on_messages() { wake_on_input = true; }
  // Blocks until the deadline, a handle or input; the deadline is rounded up to
  // whole milliseconds so that the loop never wakes early and spins.
  std::int32_t wait();

  std::int64_t deadline() const { return deadline_ns; }

 private:
  // One platform wait takes at most 64 objects, one fewer when input is
  // awaited too; nothing in this program adds handles.
  HANDLE handles[128];
  std::int32_t count;
  bool wake_on_input;
  bool skip_wait;
  std::int64_t deadline_ns;
};
