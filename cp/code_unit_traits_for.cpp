#include "cp/code_unit_traits_for.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "cp/address_ranges.h"

namespace cp {
namespace {

template <class T>
const T* units(const void* p) {
  return static_cast<const T*>(p);
}

// The value by which a unit orders: bytes order as unsigned, whatever the
// signedness of char.
template <class T>
auto order_key(T unit) {
  if constexpr (std::is_same_v<T, char>) {
    return static_cast<unsigned char>(unit);
  } else {
    return unit;
  }
}

template <class T>
bool in_set(T unit, const T* set, std::uint32_t slen) {
  return std::find(set, set + slen, unit) != set + slen;
}

template <class T>
std::uint32_t index_or_not_found(const T* found, const T* text, const T* end) {
  return found == end ? not_found : static_cast<std::uint32_t>(found - text);
}

// The largest index i <= start with wanted(text[i]), else not_found.
template <class T, class Predicate>
std::uint32_t last_index(const T* text, std::uint32_t start, Predicate wanted) {
  for (std::uint32_t i = start + 1; i-- > 0;) {
    if (wanted(text[i])) return i;
  }
  return not_found;
}

}  // namespace

template <class T>
const code_unit_traits_for<T>& code_unit_traits_for<T>::instance() {
  static const code_unit_traits_for traits{};
  return traits;
}

template <class T>
std::uint32_t code_unit_traits_for<T>::unit_size() const {
  return sizeof(T);
}

template <class T>
bool code_unit_traits_for<T>::is_aligned(const void* address) const {
  return address_of(address) % sizeof(T) == 0;
}

template <class T>
std::uint32_t code_unit_traits_for<T>::unit_alignment() const {
  return sizeof(T);
}

template <class T>
std::uint32_t code_unit_traits_for<T>::terminated_length(const void* p) const {
  const T* text = units<T>(p);
  std::uint32_t length = 0;
  while (!(text[length] == T(0))) ++length;
  return length;
}

template <class T>
bool code_unit_traits_for<T>::overlaps(const void* a, std::uint32_t na, const void* b,
                                       std::uint32_t nb) const {
  return ranges_overlap(a, std::uint64_t{na} * sizeof(T), b, std::uint64_t{nb} * sizeof(T));
}

template <class T>
bool code_unit_traits_for<T>::contains(const void* a, std::uint32_t na, const void* b,
                                       std::uint32_t nb) const {
  return range_within(a, std::uint64_t{na} * sizeof(T), b, std::uint64_t{nb} * sizeof(T));
}

template <class T>
void* code_unit_traits_for<T>::copy(void* dst, const void* src, std::uint32_t n) const {
  if (n != 0) std::memcpy(dst, src, std::size_t{n} * sizeof(T));
  return dst;
}

template <class T>
void* code_unit_traits_for<T>::copy_reversed(void* dst, const void* src, std::uint32_t n) const {
  std::reverse_copy(units<T>(src), units<T>(src) + n, static_cast<T*>(dst));
  return dst;
}

template <class T>
void* code_unit_traits_for<T>::move(void* dst, const void* src, std::uint32_t n) const {
  if (n != 0) std::memmove(dst, src, std::size_t{n} * sizeof(T));
  return dst;
}

template <class T>
std::int32_t code_unit_traits_for<T>::compare(const void* p, const void* q, std::uint32_t n) const {
  const T* left = units<T>(p);
  const T* right = units<T>(q);
  for (std::uint32_t i = 0; i < n; ++i) {
    if (order_key(left[i]) < order_key(right[i])) return -1;
    if (order_key(right[i]) < order_key(left[i])) return 1;
  }
  return 0;
}

template <class T>
std::int32_t code_unit_traits_for<T>::compare(const void* p, std::uint32_t np, const void* q,
                                              std::uint32_t nq) const {
  const std::int32_t common = compare(p, q, std::min(np, nq));
  if (common != 0) return common;
  return np < nq ? -1 : np > nq ? 1 : 0;
}

template <class T>
std::uint32_t code_unit_traits_for<T>::find(const void* pattern, std::uint32_t plen, const void* text,
                                            std::uint32_t pos, std::uint32_t tlen) const {
  if (pos > tlen) return not_found;
  if (plen == 0) return pos;
  const T* begin = units<T>(text);
  const T* end = begin + tlen;
  const T* first = units<T>(pattern);
  return index_or_not_found(std::search(begin + pos, end, first, first + plen), begin, end);
}

template <class T>
std::uint32_t code_unit_traits_for<T>::rfind(const void* pattern, std::uint32_t plen, const void* text,
                                             std::uint32_t pos, std::uint32_t tlen) const {
  if (plen > tlen) return not_found;
  const std::uint32_t start = std::min(pos, tlen - plen);
  if (plen == 0) return start;
  const T* begin = units<T>(text);
  const T* end = begin + start + plen;
  const T* first = units<T>(pattern);
  return index_or_not_found(std::find_end(begin, end, first, first + plen), begin, end);
}

template <class T>
std::uint32_t code_unit_traits_for<T>::find_first_of(const void* set, std::uint32_t slen, const void* text,
                                                     std::uint32_t pos, std::uint32_t tlen) const {
  if (pos >= tlen || slen == 0) return not_found;
  const T* begin = units<T>(text);
  const T* end = begin + tlen;
  const T* members = units<T>(set);
  return index_or_not_found(std::find_first_of(begin + pos, end, members, members + slen), begin, end);
}

template <class T>
std::uint32_t code_unit_traits_for<T>::find_first_not_of(const void* set, std::uint32_t slen,
                                                         const void* text, std::uint32_t pos,
                                                         std::uint32_t tlen) const {
  if (pos >= tlen) return not_found;
  if (slen == 0) return pos;
  const T* begin = units<T>(text);
  const T* end = begin + tlen;
  const T* members = units<T>(set);
  const T* found = std::find_if(begin + pos, end, [&](T unit) { return !in_set(unit, members, slen); });
  return index_or_not_found(found, begin, end);
}

template <class T>
std::uint32_t code_unit_traits_for<T>::find_last_of(const void* set, std::uint32_t slen, const void* text,
                                                    std::uint32_t pos, std::uint32_t tlen) const {
  if (tlen == 0 || slen == 0) return not_found;
  const T* members = units<T>(set);
  return last_index(units<T>(text), std::min(pos, tlen - 1),
                    [&](T unit) { return in_set(unit, members, slen); });
}

template <class T>
std::uint32_t code_unit_traits_for<T>::find_last_not_of(const void* set, std::uint32_t slen, const void* text,
                                                        std::uint32_t pos, std::uint32_t tlen) const {
  if (tlen == 0) return not_found;
  const std::uint32_t start = std::min(pos, tlen - 1);
  if (slen == 0) return start;
  const T* members = units<T>(set);
  return last_index(units<T>(text), start, [&](T unit) { return !in_set(unit, members, slen); });
}

template class code_unit_traits_for<char>;
template class code_unit_traits_for<WCHAR>;
template class code_unit_traits_for<unsigned int>;
template class code_unit_traits_for<double>;

}  // namespace cp
