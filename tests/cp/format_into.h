// Calls xstring::vformat with arguments given in place, as a caller's own
// variadic function would.
#pragma once

#include <cstdarg>

#include "cp/xstring.h"

template <class String>
String& format_into(String& s, bool append, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  try {
    s.vformat(append, format, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
  return s;
}
