// xstring: printf-style formatting with the platform's wide formatter.
// Included by xstring.h.
#pragma once

#include <algorithm>

namespace cp {

template <class T, class A>
xstring<T, A> xstring<T, A>::format(const T* format_text, ...) {
  xstring text;
  va_list args;
  va_start(args, format_text);
  try {
    text.vformat(false, format_text, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
  return text;
}

// Each attempt gives the formatter all the room the storage has; when the text
// did not fit, the next attempt asks for twice the room. A format the formatter
// rejects would fail at any size, so it ends the loop instead of growing the
// buffer without bound.
template <class T, class A>
xstring<T, A>& xstring<T, A>::vformat(bool append, const T* format_text, va_list args) {
  const std::uint32_t base = append ? length_ : 0;
  // The room the storage already has for text (the terminator's place aside):
  // asking for the whole capacity as text would double the buffer on every call.
  const std::uint64_t text_room = capacity_ > 0 ? capacity_ - 1 : 0;
  std::uint64_t want = std::max<std::uint64_t>(text_room, std::uint64_t{base} + format_start_room);
  for (;;) {
    // The old text stays alive through the attempt: an argument may point into
    // it (this string's own text appended to itself).
    old_text old;
    prepare(true, false, std::max<std::uint64_t>(length_, want), old);
    // Units from the formatting point to the end of the storage; the last one
    // is kept for the terminator, which the Windows formatter leaves out when
    // the text fills all the units it is given.
    const std::uint32_t room = capacity_ - base - 1;
    va_list attempt;
    va_copy(attempt, args);
    const int result = _vsnwprintf(data_ + base, room, format_text, attempt);
    va_end(attempt);
    length_ = result >= 0 ? base + result : base;
    terminate_if_room();
    if (result >= 0) return *this;
    if (!did_not_fit(format_text, args, room)) throw_format_error();
    want = std::uint64_t{base} + 2 * (std::uint64_t{room} + 1);
  }
}

template <class T, class A>
bool xstring<T, A>::did_not_fit(const T* format_text, va_list args, std::uint32_t room) {
  va_list measure;
  va_copy(measure, args);
  const int needed = _vscwprintf(format_text, measure);
  va_end(measure);
  // A formatter that failed although the text would have fitted has rejected
  // the format all the same.
  return needed >= 0 && static_cast<std::uint32_t>(needed) > room;
}

}  // namespace cp
