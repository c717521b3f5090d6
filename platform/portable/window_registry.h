// The windows that exist, each with its window procedure. HWNDs are small
// numbers that are never reused within a process, so a stale handle stays invalid.
#pragma once

#include <vector>

#include "platform/portable/user.h"

namespace portable {

HWND register_window(WNDPROC procedure);
void unregister_window(HWND window);
// Null when `window` is not an existing window.
WNDPROC procedure_of(HWND window);
std::vector<HWND> all_windows();

}  // namespace portable
