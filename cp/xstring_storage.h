// xstring: choosing, allocating and adopting storage. Included by xstring.h.
#pragma once

#include <algorithm>

#include "cp/address_ranges.h"

namespace cp {

template <class T, class A>
const T* xstring<T, A>::c_str() {
  old_text old;
  prepare(false, true, length_, old);
  terminate_if_room();
  return data_;
}

template <class T, class A>
bool xstring<T, A>::try_adopt(const text_source<T>& source) {
  if (source.hint == 0 && is_borrowed()) return false;
  if (source.hint == borrowed_readonly || source.hint == borrowed_writable) {
    borrow(source, static_cast<storage_kind>(source.hint));
    return true;
  }
  switch (kind()) {
    case borrowed_readonly:
      borrow(source, borrowed_readonly);
      return true;
    case borrowed_writable:
      // Taking the text by pointer would send later writes into storage that
      // was handed over as constant; its units are copied instead.
      return false;
    default: {
      // Text inside the string's own storage is taken where it lies. It must lie
      // wholly inside: a pointer outside the storage would send writes elsewhere.
      const T* base = kind() == inline_storage ? inline_buffer_ : shared_buffer_.get();
      const T* end = data_ + capacity_;
      if (!range_within(source.data, std::uint64_t{source.length} * sizeof(T), base,
                        (end - base) * sizeof(T))) {
        return false;
      }
      capacity_ = static_cast<std::uint32_t>(end - source.data);
      data_ = const_cast<T*>(source.data);
      length_ = source.length;
      return true;
    }
  }
}

template <class T, class A>
bool xstring<T, A>::try_adopt(const string_source& source) {
  // A writable borrowed string keeps its storage: the units are copied into it.
  if (kind() == borrowed_writable) return false;
  const xstring& owner = *source.owner;
  if (&owner == this) {
    capacity_ -= static_cast<std::uint32_t>(source.data - data_);
    data_ = const_cast<T*>(source.data);
    length_ = source.length;
    return true;
  }
  switch (owner.kind()) {
    case inline_storage:     // inline text is always copied
    case borrowed_writable:  // two strings must never both write the same storage
      return false;
    case shared_storage:
      shared_buffer_ = owner.shared_buffer_;
      set_kind(shared_storage);
      data_ = const_cast<T*>(source.data);
      length_ = source.length;
      capacity_ = source.capacity;
      return true;
    default:
      borrow(source, owner.kind());
      return true;
  }
}

template <class T, class A>
void xstring<T, A>::borrow(const text_source<T>& source, storage_kind kind) {
  shared_buffer_.reset();
  set_kind(kind);
  data_ = const_cast<T*>(source.data);
  length_ = source.length;
  capacity_ = source.capacity;
}

template <class T, class A>
bool xstring<T, A>::needs_new_storage(bool write, bool terminate, std::uint64_t n) const {
  const std::uint64_t terminator_room = !terminate && is_borrowed() ? 0 : 1;
  if (capacity_ < n + terminator_room) return true;
  if (write) return kind() == borrowed_readonly || is_shared_with_others();
  // Only terminating: a unit already 0 serves, and is never rewritten.
  return terminate && data_[n] != 0 && (kind() == borrowed_readonly || is_shared_with_others());
}

template <class T, class A>
bool xstring<T, A>::relocate(bool write, bool terminate, std::uint64_t n, old_text& old) {
  if (!needs_new_storage(write, terminate, n)) return false;
  if (kind() != inline_storage && n < inline_capacity) {
    old.data = data_;
    old.buffer.swap(shared_buffer_);
    set_kind(inline_storage);
    data_ = inline_buffer_;
    capacity_ = inline_capacity;
    return true;
  }
  const std::uint64_t capacity = kind() == shared_storage ? grown_capacity(n) : n + 1;
  boost::shared_array<T> buffer = allocate_buffer(capacity);  // may throw: nothing changed yet
  old.data = data_;
  old.buffer.swap(shared_buffer_);
  shared_buffer_.swap(buffer);
  set_kind(shared_storage);
  data_ = shared_buffer_.get();
  capacity_ = static_cast<std::uint32_t>(capacity);
  return true;
}

template <class T, class A>
bool xstring<T, A>::prepare(bool write, bool terminate, std::uint64_t n, old_text& old) {
  if (!relocate(write, terminate, n, old)) return false;
  units::copy(data_, old.data, length_);
  return true;
}

// A copy made only to stop sharing keeps the size; growth doubles, so that a
// text built up piece by piece is copied a logarithmic number of times.
template <class T, class A>
std::uint64_t xstring<T, A>::grown_capacity(std::uint64_t n) const {
  std::uint64_t capacity = std::max<std::uint64_t>(capacity_, 1);
  while (capacity < n + 1) capacity *= 2;
  return capacity;
}

template <class T, class A>
boost::shared_array<T> xstring<T, A>::allocate_buffer(std::uint64_t capacity) {
  if (capacity > max_allocation) throw_bad_allocation();
  T* buffer = std::allocator_traits<A>::allocate(allocator_, capacity);
  // Should the counter's allocation fail, the shared array gives the buffer back.
  return boost::shared_array<T>(buffer, sa_deleter(allocator_, static_cast<std::uint32_t>(capacity)));
}

template <class T, class A>
void xstring<T, A>::terminate_if_room() {
  if (kind() != borrowed_readonly && capacity_ != length_ && data_[length_] != 0) {
    data_[length_] = 0;
  }
}

}  // namespace cp
