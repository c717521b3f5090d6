#include "platform/portable/gdi32/gdi_objects.h"

#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/gdi32/gdi_state.h"

namespace portable {

gdi_table::gdi_table() {
  const std::pair<int, gdi_object> stock_list[] = {
      {WHITE_BRUSH, brush{RGB(255, 255, 255)}},
      {LTGRAY_BRUSH, brush{RGB(192, 192, 192)}},
      {GRAY_BRUSH, brush{RGB(128, 128, 128)}},
      {DKGRAY_BRUSH, brush{RGB(64, 64, 64)}},
      {BLACK_BRUSH, brush{RGB(0, 0, 0)}},
      {NULL_BRUSH, brush{0, true}},
      {SYSTEM_FONT, font{16}},
      {DEFAULT_GUI_FONT, font{13}},
  };
  for (const auto& [index, object] : stock_list) {
    stock_objects[index] = reinterpret_cast<HGDIOBJ>(++last_handle);
    objects.emplace(last_handle, entry{object, true});
  }
}

HGDIOBJ gdi_table::add(gdi_object object) {
  objects.emplace(++last_handle, entry{std::move(object), false});
  return reinterpret_cast<HGDIOBJ>(last_handle);
}

gdi_object* gdi_table::find(HGDIOBJ handle) {
  auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == objects.end() ? nullptr : &found->second.object;
}

bool gdi_table::remove(HGDIOBJ handle) {
  auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
  if (found == objects.end()) return false;
  if (!found->second.stock) objects.erase(found);
  return true;
}

HGDIOBJ gdi_table::stock(int index) const {
  auto found = stock_objects.find(index);
  return found == stock_objects.end() ? nullptr : found->second;
}

std::optional<brush> brush_of(HBRUSH handle, bool system_colours) {
  // Windows' default colours for the system colours the program's classes use.
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (system_colours && value >= 1 && value <= 31) {
    switch (value - 1) {
      case COLOR_WINDOW:
        return brush{RGB(255, 255, 255)};
      case COLOR_WINDOWTEXT:
        return brush{RGB(0, 0, 0)};
      case COLOR_BTNFACE:
        return brush{RGB(240, 240, 240)};
      default:
        return std::nullopt;
    }
  }
  if (const brush* found = gdi_process().gdi.find_as<brush>(handle)) return *found;
  return std::nullopt;
}

}  // namespace portable

using namespace portable;

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
  return static_cast<HBRUSH>(gdi_process().gdi.add(brush{colour & 0x00FFFFFF}));
}

HGDIOBJ WINAPI GetStockObject(int index) { return gdi_process().gdi.stock(index); }

BOOL WINAPI DeleteObject(HGDIOBJ object) { return gdi_process().gdi.remove(object); }
