// Huge pages for the large pictures a program draws a column at a time.
//
// A column of a picture 1920 pixels wide touches a new 4 KiB page with every
// pixel, and a page-table walk per pixel (two levels of them in a virtual
// machine) costs more than the drawing. In 2 MiB pages a whole picture takes a
// handful of translations. Both calls are advice: where the system has huge
// pages turned off, ordinary pages serve.
#pragma once

#include <cstddef>

namespace portable {

// Zeroed memory for `bytes`, in huge pages where the system gives them; free it
// with std::free. Null when there is no memory.
void* allocate_zeroed_in_huge_pages(std::size_t bytes);

// Asks that the whole 2 MiB pages inside [start, start + bytes), memory the
// program already holds, move into huge pages now, keeping what they hold.
void move_into_huge_pages(const void* start, std::size_t bytes);

}  // namespace portable
