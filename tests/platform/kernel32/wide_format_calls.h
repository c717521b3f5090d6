// Calls the bounded and the measuring wide formatter with arguments given in
// place, as a caller's own variadic function would.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "platform/win32.h"

inline int bounded(WCHAR* buffer, std::size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = _vsnwprintf(buffer, count, format, args);
  va_end(args);
  return result;
}

inline int measured(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = _vscwprintf(format, args);
  va_end(args);
  return result;
}
