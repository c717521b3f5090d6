// Failures the code goes on from on purpose: a window that keeps its old size or
// title, a wait that reports its own failure, a frame drawn again next time. The
// platform's error code is read and dropped here, which marks in the code that
// the failure was seen and needs nothing more.
#pragma once

#include "platform/win32.h"

inline void discard_last_error() { static_cast<void>(GetLastError()); }
