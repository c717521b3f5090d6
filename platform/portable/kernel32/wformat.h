// The C runtime's bounded wide formatter, for 16-bit WCHAR text, with the
// meaning the Windows runtime gives the directives in its wide functions:
//   %s  wide text (WCHAR*); %hs narrow, %ls and %ws wide
//   %S  narrow text (char*, UTF-8 here); %hS narrow, %lS and %wS wide
//   %c  one wide unit (passed as int); %C one narrow character
//   %d %i %u %o %x %X   integers; h, l and I32 mean 32 bits (long is 32 bits on
//                       Windows), ll and I64 mean 64 bits, I means pointer-sized
//   %p  a pointer as upper-case hexadecimal, two digits per byte
//   %%  a percent sign
// with the flags - + space # 0, a width and a precision (either may be *).
// A precision on text bounds what is read as well as what is printed: at most
// that many units, or bytes of narrow text. A null text pointer prints "(null)".
// %n and unknown directives are errors.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "platform/portable/kernel32/types.h"

// Writes at most `count` units to `buffer`. Returns the length of the text
// when it fits: with a terminator after it when there is room for one, without
// one when the text fills all `count` units. Returns -1 when the text does not
// fit (the first `count` units are written) and also when the format is
// rejected; _vscwprintf tells the two apart.
int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list args);

// The number of units the text would have, terminator not counted, or -1 when
// the format is rejected (or the text would be longer than INT_MAX units).
int _vscwprintf(const WCHAR* format, va_list args);
