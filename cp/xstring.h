// cp::xstring: the wide text string of the program (titles, class names,
// diagnostics).
//
// Short text (up to 8 units and a terminator) lives inside the object. Longer
// text lives in a heap buffer held by a reference-counted shared array, so that
// assigning a string shares its buffer; a string copies the buffer only when it
// is about to write into one that another string also holds. A string may also
// refer to text it does not own, read-only or writable in place; only try_adopt
// with a hint of 2 or 3 makes one.
//
// The terminator is not part of the length and is written lazily: writing
// operations leave the text terminated where there is room and writing is
// allowed, and c_str guarantees it.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>

#include <boost/shared_array.hpp>

#include "cp/errors.h"
#include "cp/text_source.h"
#include "platform/win32.h"

namespace cp {

template <class T, class Allocator = std::allocator<T>>
class xstring {
 public:
  static constexpr std::uint32_t inline_capacity = 9;
  // The longest text a replacement produces.
  static constexpr std::uint32_t max_length = 0x7ffffffe;
  // The largest buffer a string asks its allocator for, in units.
  static constexpr std::uint64_t max_allocation = 0x7fffffff;
  // Room for the text of a first formatting attempt.
  static constexpr std::uint32_t format_start_room = 64;

  // Bits 0-1 of the flags.
  enum storage_kind : std::uint32_t {
    inline_storage = 0,
    shared_storage = 1,
    borrowed_readonly = 2,
    borrowed_writable = 3,
  };

  // Kept with the shared array's counter: gives the buffer back to the
  // allocator with the capacity it was allocated with, however far the string
  // has since advanced its data pointer into it.
  class sa_deleter {
   public:
    sa_deleter(const Allocator& allocator, std::uint32_t capacity)
        : allocator(allocator), capacity(capacity) {}
    void operator()(T* buffer) { std::allocator_traits<Allocator>::deallocate(allocator, buffer, capacity); }

   private:
    Allocator allocator;
    std::uint32_t capacity;
  };

  // Another string's text, with the string itself, so that the text can be
  // shared rather than copied.
  struct string_source : text_source<T> {
    explicit string_source(const xstring& owner)
        : text_source<T>(owner.data_, owner.length_, owner.capacity_, -1), owner(&owner) {}
    const xstring* owner;
  };

  xstring() = default;
  // Implicit, so that a literal converts as it does to a standard string.
  xstring(const T* text) { replace(0, 0, text_source<T>(text)); }
  xstring(const xstring& other) { assign(string_source(other)); }
  // Assigning a string to itself replaces its text by its own text, which
  // try_adopt keeps in place.
  // NOLINTNEXTLINE(bugprone-unhandled-self-assignment): handled as described above
  xstring& operator=(const xstring& other) { return assign(string_source(other)); }

  // printf-style construction with the platform's wide formatter (%s wide text,
  // %S narrow text). Throws invalid_argument when the formatter rejects the format.
  static xstring format(const T* format_text, ...);

  const T* data() const { return data_; }
  std::uint32_t length() const { return length_; }
  std::uint32_t capacity() const { return capacity_; }
  storage_kind kind() const { return static_cast<storage_kind>(flags_ & kind_bits); }

  // The text, zero-terminated; takes a private copy first when the terminator
  // is missing and the storage may not be written.
  const T* c_str();

  xstring& assign(const string_source& source) { return replace(0, length_, source); }

  // Replaces the units [pos, pos + n) by the source's text, which may lie inside
  // this string's own text. Throws length_error "xstring" (nothing changed) when
  // the result would exceed max_length, out_of_range when the range does not lie
  // within the text.
  xstring& replace(std::uint32_t pos, std::uint32_t n, const text_source<T>& source) {
    return replace_with(pos, n, source);
  }
  xstring& replace(std::uint32_t pos, std::uint32_t n, const string_source& source) {
    return replace_with(pos, n, source);
  }

  // Formats into the string: replacing the text, or after it when `append`.
  // Throws invalid_argument when the formatter rejects the format; the string
  // then holds the text before the formatting point.
  xstring& vformat(bool append, const T* format_text, va_list args);

  // Takes the source's text without copying it where the rules allow: a
  // borrowing hint, text inside the string's own storage, another string's
  // heap buffer (shared) or borrowed text. Returns whether it did.
  bool try_adopt(const text_source<T>& source);
  bool try_adopt(const string_source& source);

 private:
  static constexpr std::uint32_t kind_bits = 3;
  using units = std::char_traits<T>;

  // The text a string held before it moved to new storage, kept alive (through
  // its buffer, when it had one) until the caller has copied what it needs.
  struct old_text {
    const T* data = nullptr;
    boost::shared_array<T> buffer;
  };

  template <class Source>
  xstring& replace_with(std::uint32_t pos, std::uint32_t n, const Source& source);
  void write_in_place(std::uint32_t pos, std::uint32_t n, const T* source, std::uint32_t source_length);
  void replace_from_own_text(std::uint32_t pos, std::uint32_t n, std::uint32_t offset,
                             std::uint32_t source_length);

  bool is_borrowed() const { return kind() == borrowed_readonly || kind() == borrowed_writable; }
  bool is_shared_with_others() const { return kind() == shared_storage && shared_buffer_.use_count() != 1; }
  void set_kind(storage_kind kind) { flags_ = (flags_ & ~kind_bits) | kind; }
  void borrow(const text_source<T>& source, storage_kind kind);

  bool needs_new_storage(bool write, bool terminate, std::uint64_t n) const;
  // Moves to new storage fit for n units when needed, handing the old text to
  // `old` uncopied; returns whether it moved.
  bool relocate(bool write, bool terminate, std::uint64_t n, old_text& old);
  // relocate, then copy the text (n is at least the current length); the old
  // text stays alive in `old` for as long as the caller keeps it.
  bool prepare(bool write, bool terminate, std::uint64_t n, old_text& old);
  std::uint64_t grown_capacity(std::uint64_t n) const;
  boost::shared_array<T> allocate_buffer(std::uint64_t capacity);
  void terminate_if_room();

  // Whether the formatter, having failed with room for `room` units, failed for
  // want of room rather than because it rejected the format.
  static bool did_not_fit(const T* format_text, va_list args, std::uint32_t room);

  Allocator allocator_;
  std::uint32_t flags_ = inline_storage;
  T* data_ = inline_buffer_;
  std::uint32_t length_ = 0;
  std::uint32_t capacity_ = inline_capacity;
  boost::shared_array<T> shared_buffer_;
  T inline_buffer_[inline_capacity];
};

}  // namespace cp

#include "cp/xstring_storage.h"
#include "cp/xstring_replace.h"
#include "cp/xstring_format.h"

namespace cp {
// The program's string is compiled once, in the library.
extern template class xstring<WCHAR>;
}  // namespace cp
