// The descriptor through which an editing operation of xstring receives its new
// text: where the units are, how many there are, how many may be read from
// there (terminator included), and which borrowing kind, if any, the string
// should take when it adopts the text instead of copying it.
#pragma once

#include <cstdint>
#include <string>

namespace cp {

template <class T>
struct text_source {
  // Zero-terminated text; the string copies it or, when it lies in the string's
  // own storage, adopts it.
  text_source(const T* text)
      : text_source(text, static_cast<std::uint32_t>(std::char_traits<T>::length(text))) {}

  // Counted text followed by a terminator.
  text_source(const T* text, std::uint32_t length) : text_source(text, length, length + 1, -1) {}

  // hint: 2 (borrowed_readonly) or 3 (borrowed_writable) makes a string that
  // adopts the text refer to it without owning it; 0 keeps a borrowing string
  // from adopting; -1 leaves the choice to the string.
  text_source(const T* text, std::uint32_t length, std::uint32_t capacity, std::int32_t hint)
      : data(text), length(length), capacity(capacity), hint(hint) {}

  const T* data;
  std::uint32_t length;
  std::uint32_t capacity;
  std::int32_t hint;
};

}  // namespace cp
