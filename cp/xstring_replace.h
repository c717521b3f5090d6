// xstring: replacing a range of the text. Included by xstring.h.
#pragma once

#include <algorithm>
#include <string>

#include "cp/address_ranges.h"

namespace cp {

template <class T, class A>
template <class Source>
xstring<T, A>& xstring<T, A>::replace_with(std::uint32_t pos, std::uint32_t n, const Source& source) {
  if (std::uint64_t{pos} + n > length_) throw_range_error();
  if (pos == 0 && n == length_ && try_adopt(source)) return *this;
  if (std::uint64_t{length_} - n + source.length > max_length) throw_length_error();
  if (n == 0 && source.length == 0) return *this;

  const std::uint32_t tail = length_ - pos - n;
  const std::uint32_t new_length = pos + source.length + tail;
  if (source.length == 0) {
    // Pure removals at either end write nothing: the end just moves.
    if (tail == 0) {
      length_ = pos;
      return *this;
    }
    if (pos == 0 && kind() != borrowed_writable) {
      data_ += n;
      capacity_ -= n;
      length_ -= n;
      return *this;
    }
  }

  old_text old;
  if (relocate(true, false, new_length, old)) {
    units::copy(data_, old.data, pos);
    units::copy(data_ + pos, source.data, source.length);
    units::copy(data_ + pos + source.length, old.data + pos + n, tail);
  } else {
    write_in_place(pos, n, source.data, source.length);
  }
  length_ = new_length;
  terminate_if_room();
  return *this;
}

template <class T, class A>
void xstring<T, A>::write_in_place(std::uint32_t pos, std::uint32_t n, const T* source,
                                   std::uint32_t source_length) {
  const std::uint64_t source_bytes = std::uint64_t{source_length} * sizeof(T);
  if (range_within(source, source_bytes, data_, std::uint64_t{length_} * sizeof(T))) {
    replace_from_own_text(pos, n, static_cast<std::uint32_t>(source - data_), source_length);
    return;
  }
  // A source that reaches into the storage without lying inside the text could
  // be overwritten by the moves below: it is copied aside first.
  std::basic_string<T> detached;
  if (ranges_overlap(source, source_bytes, data_, std::uint64_t{capacity_} * sizeof(T))) {
    detached.assign(source, source_length);
    source = detached.data();
  }
  if (n != source_length) units::move(data_ + pos + source_length, data_ + pos + n, length_ - pos - n);
  units::copy(data_ + pos, source, source_length);
}

// The source is units [offset, offset + source_length) of this same text.
template <class T, class A>
void xstring<T, A>::replace_from_own_text(std::uint32_t pos, std::uint32_t n, std::uint32_t offset,
                                          std::uint32_t source_length) {
  T* const text = data_;
  const std::uint32_t end = pos + n;
  const std::uint32_t tail = length_ - end;
  if (source_length <= n) {
    // The source is read before the tail closes up behind it.
    units::move(text + pos, text + offset, source_length);
    if (source_length < n) units::move(text + pos + source_length, text + end, tail);
    return;
  }
  // The tail moves out first to make room, taking along any source units that
  // lie in it; those before the end stay where they are.
  const std::uint32_t shift = source_length - n;
  units::move(text + end + shift, text + end, tail);
  if (offset < end) units::move(text + pos, text + offset, std::min(source_length, end - offset));
  if (offset + source_length > end) {
    const std::uint32_t first_moved = std::max(offset, end);
    units::move(text + pos + (first_moved - offset), text + first_moved + shift,
                offset + source_length - first_moved);
  }
}

}  // namespace cp
