#include "platform/portable/seam/huge_pages.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25  // Linux 6.1; older C libraries do not name it
#endif

namespace portable {
namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;

}  // namespace

void* allocate_zeroed_in_huge_pages(std::size_t bytes) {
  bytes = std::max<std::size_t>(bytes, 1);
  if (bytes < huge_page) return std::calloc(1, bytes);
  void* p = std::aligned_alloc(huge_page, (bytes + huge_page - 1) / huge_page * huge_page);
  if (!p) return nullptr;
  // Before the first touch, so that the pages are huge from the start.
  madvise(p, bytes, MADV_HUGEPAGE);
  std::memset(p, 0, bytes);
  return p;
}

void move_into_huge_pages(const void* start, std::size_t bytes) {
  const std::uintptr_t first =
      (reinterpret_cast<std::uintptr_t>(start) + huge_page - 1) / huge_page * huge_page;
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(start) + bytes) / huge_page * huge_page;
  if (first >= end) return;
  void* aligned = reinterpret_cast<void*>(first);
  // Pages touched later come huge; those already there are gathered now.
  madvise(aligned, end - first, MADV_HUGEPAGE);
  madvise(aligned, end - first, MADV_COLLAPSE);
}

}  // namespace portable
