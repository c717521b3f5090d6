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
  // The storage the text had when the call began stays alive until the call
  // ends, however often the string moves: an argument may point into it (this
  // string's own text appended to itself), and every attempt reads it again.
  old_text original;
  for (;;) {
    old_text moved;
    if (prepare(true, false, std::max<std::uint64_t>(length_, want), moved) && !original.data) {
      original = std::move(moved);
    }
    // The formatter writes from one unit past the formatting point to the end
    // of the storage, and the text then moves down into place. So the unit at
    // the formatting point, the terminator of the text before it, stays as it
    // is while the arguments are read: one of them may be that very text. The
    // unit left over at the end is the terminator's, which the Windows
    // formatter leaves out when the text fills all the units it is given.
    const std::uint32_t room = capacity_ - base - 1;
    va_list attempt;
    va_copy(attempt, args);
    const int result = _vsnwprintf(data_ + base + 1, room, format_text, attempt);
    va_end(attempt);
    if (result >= 0) units::move(data_ + base, data_ + base + 1, result);
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
