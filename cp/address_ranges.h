// Tests on address ranges, comparing addresses as unsigned numbers so that
// ranges in unrelated storage can be compared too.
#pragma once

#include <cstdint>

namespace cp {

inline std::uintptr_t address_of(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// [a, a + a_bytes) and [b, b + b_bytes) share at least one byte.
inline bool ranges_overlap(const void* a, std::uint64_t a_bytes, const void* b, std::uint64_t b_bytes) {
  return address_of(b) < address_of(a) + a_bytes && address_of(a) < address_of(b) + b_bytes;
}

// [a, a + a_bytes) lies within [b, b + b_bytes).
inline bool range_within(const void* a, std::uint64_t a_bytes, const void* b, std::uint64_t b_bytes) {
  return address_of(a) >= address_of(b) && address_of(a) + a_bytes <= address_of(b) + b_bytes;
}

}  // namespace cp
