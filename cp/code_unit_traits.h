// cp::code_unit_traits: the unit-level operations a string needs, for one code
// unit type, behind virtual calls so that text of any encoding can be handled
// through one interface. Unit sequences are a pointer and a count of units;
// positions are unit indexes.
#pragma once

#include <cstdint>

namespace cp {

// The result of a search that finds nothing.
constexpr std::uint32_t not_found = 0xffffffff;

class code_unit_traits {
 public:
  virtual std::uint32_t unit_size() const = 0;
  virtual bool is_aligned(const void* address) const = 0;
  virtual std::uint32_t unit_alignment() const = 0;
  // Units before the first unit equal to zero.
  virtual std::uint32_t terminated_length(const void* p) const = 0;
  virtual bool overlaps(const void* a, std::uint32_t na, const void* b, std::uint32_t nb) const = 0;
  // Whether [a, a + na) lies within [b, b + nb).
  virtual bool contains(const void* a, std::uint32_t na, const void* b, std::uint32_t nb) const = 0;
  // The ranges must not overlap.
  virtual void* copy(void* dst, const void* src, std::uint32_t n) const = 0;
  virtual void* copy_reversed(void* dst, const void* src, std::uint32_t n) const = 0;
  // The ranges may overlap.
  virtual void* move(void* dst, const void* src, std::uint32_t n) const = 0;
  // -1, 0 or 1 by the first differing unit.
  virtual std::int32_t compare(const void* p, const void* q, std::uint32_t n) const = 0;
  // As above over the common length; then the shorter sequence is the lesser.
  virtual std::int32_t compare(const void* p, std::uint32_t np, const void* q, std::uint32_t nq) const = 0;
  // The searches follow the standard string's, with not_found for its npos.
  virtual std::uint32_t find(const void* pattern, std::uint32_t plen, const void* text, std::uint32_t pos,
                             std::uint32_t tlen) const = 0;
  virtual std::uint32_t rfind(const void* pattern, std::uint32_t plen, const void* text, std::uint32_t pos,
                              std::uint32_t tlen) const = 0;
  virtual std::uint32_t find_first_of(const void* set, std::uint32_t slen, const void* text,
                                      std::uint32_t pos, std::uint32_t tlen) const = 0;
  virtual std::uint32_t find_first_not_of(const void* set, std::uint32_t slen, const void* text,
                                          std::uint32_t pos, std::uint32_t tlen) const = 0;
  virtual std::uint32_t find_last_of(const void* set, std::uint32_t slen, const void* text, std::uint32_t pos,
                                     std::uint32_t tlen) const = 0;
  virtual std::uint32_t find_last_not_of(const void* set, std::uint32_t slen, const void* text,
                                         std::uint32_t pos, std::uint32_t tlen) const = 0;

 protected:
  // The implementations are static singletons, never destroyed through this interface.
  ~code_unit_traits() = default;
};

}  // namespace cp
