// What a test program holds on the heap right now. Linking
// live_allocations.cpp replaces the global operator new and delete of the whole
// program with ones that count, so a long run can show that its memory stays
// flat.
#pragma once

#include <cstdint>

namespace live_allocations {

struct snapshot {
  std::uint64_t blocks;      // from operator new, not yet deleted
  std::uint64_t bytes;       // their sizes, as asked for
  std::uint64_t heap_bytes;  // everything malloc hands out, C libraries included
};

snapshot now();

}  // namespace live_allocations
