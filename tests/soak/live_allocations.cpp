#include "tests/soak/live_allocations.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> live_blocks{0}, live_bytes{0};

// Each block carries its size in front, so that every form of delete can
// count it off; the header keeps the block aligned for any type.
constexpr std::size_t header = alignof(std::max_align_t);

void* counted_new(std::size_t size) noexcept {
  void* raw = std::malloc(header + size);
  if (!raw) return nullptr;
  *static_cast<std::size_t*>(raw) = size;
  live_blocks.fetch_add(1, std::memory_order_relaxed);
  live_bytes.fetch_add(size, std::memory_order_relaxed);
  return static_cast<char*>(raw) + header;
}

void counted_delete(void* block) noexcept {
  if (!block) return;
  void* raw = static_cast<char*>(block) - header;
  live_blocks.fetch_sub(1, std::memory_order_relaxed);
  live_bytes.fetch_sub(*static_cast<std::size_t*>(raw), std::memory_order_relaxed);
  std::free(raw);
}

void* throwing_new(std::size_t size) {
  void* block = counted_new(size);
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

namespace live_allocations {

snapshot now() {
  const struct mallinfo2 heap = mallinfo2();
  return {live_blocks.load(), live_bytes.load(), heap.uordblks + heap.hblkhd};
}

}  // namespace live_allocations

void* operator new(std::size_t size) { return throwing_new(size); }
void* operator new[](std::size_t size) { return throwing_new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return counted_new(size); }
// The array form without exceptions is the scripted host's (it can refuse
// pixel allocations); it takes its blocks from the counted array form above.
void operator delete(void* block) noexcept { counted_delete(block); }
void operator delete[](void* block) noexcept { counted_delete(block); }
void operator delete(void* block, std::size_t) noexcept { counted_delete(block); }
void operator delete[](void* block, std::size_t) noexcept { counted_delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { counted_delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { counted_delete(block); }
