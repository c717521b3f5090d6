// cp::code_unit_traits_for<T>: the code-unit operations for one unit type.
// Instantiated for char, WCHAR (16 bits), unsigned int (32 bits) and double.
// Units order as unsigned numbers (char as unsigned bytes); double orders as a
// floating-point number, where an unordered pair (a NaN) compares equal but a
// NaN never matches in a search, and either zero ends a terminated sequence.
#pragma once

#include "cp/code_unit_traits.h"
#include "platform/win32.h"

namespace cp {

template <class T>
class code_unit_traits_for final : public code_unit_traits {
 public:
  static const code_unit_traits_for& instance();

  std::uint32_t unit_size() const override;
  bool is_aligned(const void* address) const override;
  std::uint32_t unit_alignment() const override;
  std::uint32_t terminated_length(const void* p) const override;
  bool overlaps(const void* a, std::uint32_t na, const void* b, std::uint32_t nb) const override;
  bool contains(const void* a, std::uint32_t na, const void* b, std::uint32_t nb) const override;
  void* copy(void* dst, const void* src, std::uint32_t n) const override;
  void* copy_reversed(void* dst, const void* src, std::uint32_t n) const override;
  void* move(void* dst, const void* src, std::uint32_t n) const override;
  std::int32_t compare(const void* p, const void* q, std::uint32_t n) const override;
  std::int32_t compare(const void* p, std::uint32_t np, const void* q, std::uint32_t nq) const override;
  std::uint32_t find(const void* pattern, std::uint32_t plen, const void* text, std::uint32_t pos,
                     std::uint32_t tlen) const override;
  std::uint32_t rfind(const void* pattern, std::uint32_t plen, const void* text, std::uint32_t pos,
                      std::uint32_t tlen) const override;
  std::uint32_t find_first_of(const void* set, std::uint32_t slen, const void* text, std::uint32_t pos,
                              std::uint32_t tlen) const override;
  std::uint32_t find_first_not_of(const void* set, std::uint32_t slen, const void* text, std::uint32_t pos,
                                  std::uint32_t tlen) const override;
  std::uint32_t find_last_of(const void* set, std::uint32_t slen, const void* text, std::uint32_t pos,
                             std::uint32_t tlen) const override;
  std::uint32_t find_last_not_of(const void* set, std::uint32_t slen, const void* text, std::uint32_t pos,
                                 std::uint32_t tlen) const override;
};

extern template class code_unit_traits_for<char>;
extern template class code_unit_traits_for<WCHAR>;
extern template class code_unit_traits_for<unsigned int>;
extern template class code_unit_traits_for<double>;

}  // namespace cp
