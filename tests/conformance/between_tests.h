// What every conformance test may take for granted on every side: the thread's
// message queue is empty and no quit message is pending. On Windows the tests
// share one thread, so a test that failed half-way may have left messages.
#pragma once

#include "platform/win32.h"

inline void empty_the_message_queue() {
  MSG leftover;
  while (PeekMessageW(&leftover, nullptr, 0, 0, PM_REMOVE)) {
  }
}
