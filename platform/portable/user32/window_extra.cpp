// The window's extra bytes: SetWindowLongW, GetWindowLongW and their pointer-
// sized companions.
#include <cstring>
#include <optional>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/user32/window.h"
#include "platform/portable/user32/window_registry.h"

namespace {

// Reads the value at `index` and, when given, writes the new one; the previous
// value comes back. As on Windows, success does not clear the last error.
template <class value_type>
value_type exchange_extra(HWND handle, int index, std::optional<value_type> replacement) {
  portable::window* w = portable::find_window(handle);
  if (!w) return 0;
  if (index < 0 || static_cast<std::size_t>(index) + sizeof(value_type) > w->extra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  value_type previous;
  std::memcpy(&previous, w->extra.data() + index, sizeof previous);
  if (replacement) std::memcpy(w->extra.data() + index, &*replacement, sizeof *replacement);
  return previous;
}

}  // namespace

LONG WINAPI SetWindowLongW(HWND window, int index, LONG value) {
  return exchange_extra<LONG>(window, index, value);
}

LONG WINAPI GetWindowLongW(HWND window, int index) {
  return exchange_extra<LONG>(window, index, std::nullopt);
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  return exchange_extra<LONG_PTR>(window, index, value);
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index) {
  return exchange_extra<LONG_PTR>(window, index, std::nullopt);
}
