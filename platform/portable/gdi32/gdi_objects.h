// The GDI objects behind HRGN, HBRUSH and HFONT handles, and the stock objects,
// which exist from the start and are never deleted.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <variant>

#include "platform/portable/gdi32/region.h"
#include "platform/portable/kernel32/types.h"

namespace portable {

struct brush {
  COLORREF colour = 0;
  bool hollow = false;  // NULL_BRUSH: paints nothing
};

struct font {
  std::int32_t line_height;  // in pixels, as the Windows font of the same name has it
};

using gdi_object = std::variant<region, brush, font>;

class gdi_table {
 public:
  gdi_table();

  HGDIOBJ add(gdi_object object);
  gdi_object* find(HGDIOBJ handle);
  template <class T>
  T* find_as(HGDIOBJ handle) {
    gdi_object* found = find(handle);
    return found ? std::get_if<T>(found) : nullptr;
  }
  // True for a stock object too, which stays.
  bool remove(HGDIOBJ handle);
  // Null for an index that has no stock object here.
  HGDIOBJ stock(int index) const;
  // Objects alive, the stock ones included: what a leak makes grow.
  std::size_t count() const { return objects.size(); }

 private:
  struct entry {
    gdi_object object;
    bool stock;
  };
  std::map<std::uintptr_t, entry> objects;
  std::map<int, HGDIOBJ> stock_objects;
  std::uintptr_t last_handle = 0x1000;
};

// The brush a FillRect or FrameRect argument stands for: a brush object, or (for
// FillRect) a system colour index + 1. Empty when it is neither.
std::optional<brush> brush_of(HBRUSH handle, bool system_colours);

}  // namespace portable
