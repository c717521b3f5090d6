// Device contexts: the selected objects and text settings, and the access to a
// context's pixels.
#include "platform/portable/gdi32/device_context.h"

#include "platform/portable/gdi32/dc_table.h"
#include "platform/portable/gdi32/drawing.h"
#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/kernel32/kernel.h"

namespace portable {

HDC dc_table::add(HWND window, surface_finder find_surface, std::optional<region> paint_region) {
  const gdi_table& gdi = gdi_process().gdi;
  contexts.emplace(++last_handle,
                   dc_state{window, find_surface, std::move(paint_region), gdi.stock(WHITE_BRUSH),
                            gdi.stock(SYSTEM_FONT), RGB(0, 0, 0), OPAQUE, TA_TOP | TA_LEFT});
  return reinterpret_cast<HDC>(last_handle);
}

dc_state* dc_table::find(HDC dc) {
  auto found = contexts.find(reinterpret_cast<std::uintptr_t>(dc));
  return found == contexts.end() ? nullptr : &found->second;
}

bool dc_table::remove(HDC dc) { return contexts.erase(reinterpret_cast<std::uintptr_t>(dc)) > 0; }

void dc_table::remove_all_of(HWND window) {
  for (auto it = contexts.begin(); it != contexts.end();)
    it = it->second.window == window ? contexts.erase(it) : std::next(it);
}

std::optional<drawing_target> drawing_target_of(HDC dc) {
  dc_state* state = gdi_process().dcs.find(dc);
  if (!state) return std::nullopt;
  drawing_surface* surface = state->find_surface(state->window);
  if (!surface) return std::nullopt;
  region allowed(surface->area());
  if (state->paint_region) allowed.intersect(*state->paint_region);
  return drawing_target{*surface, *state, std::move(allowed)};
}

bool pixels_of(HDC dc, pixel_target& target) {
  std::optional<drawing_target> found = drawing_target_of(dc);
  if (!found) return false;
  pixel_surface& surface = found->owner.pixels();
  target = pixel_target{surface.data(), surface.width(), surface.height(), surface.width()};
  return true;
}

std::vector<RECT> visible_parts(HDC dc, const RECT& rect) {
  std::optional<drawing_target> found = drawing_target_of(dc);
  if (!found) return {};
  return found->allowed.intersect(region(rect)).rectangles();
}

void mark_drawn(HDC dc, const RECT& rect) {
  std::optional<drawing_target> found = drawing_target_of(dc);
  if (found) found->owner.mark_drawn(found->allowed.intersect(region(rect)));
}

}  // namespace portable

using namespace portable;

namespace {

// The context's state, or null (setting ERROR_INVALID_HANDLE).
dc_state* context(HDC dc) {
  dc_state* state = gdi_process().dcs.find(dc);
  if (!state) SetLastError(ERROR_INVALID_HANDLE);
  return state;
}

}  // namespace

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  dc_state* state = context(dc);
  gdi_object* selected = gdi_process().gdi.find(object);
  if (!state || !selected) return nullptr;
  HGDIOBJ* slot = std::holds_alternative<brush>(*selected)  ? &state->brush
                  : std::holds_alternative<font>(*selected) ? &state->font
                                                            : nullptr;
  if (!slot) {
    SetLastError(ERROR_INVALID_PARAMETER);  // regions select as clip regions, which the subset lacks
    return nullptr;
  }
  HGDIOBJ previous = *slot;
  *slot = object;
  return previous;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour) {
  dc_state* state = context(dc);
  if (!state) return CLR_INVALID;
  const COLORREF previous = state->text_colour;
  state->text_colour = colour & 0x00FFFFFF;
  return previous;
}

int WINAPI SetBkMode(HDC dc, int mode) {
  dc_state* state = context(dc);
  if (!state || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = state->background_mode;
  state->background_mode = mode;
  return previous;
}

UINT WINAPI SetTextAlign(HDC dc, UINT align) {
  dc_state* state = context(dc);
  if (!state) return GDI_ERROR;
  const UINT previous = state->text_align;
  state->text_align = align;
  return previous;
}
