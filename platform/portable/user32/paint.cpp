// Painting a window: its device contexts (GetDC, ReleaseDC, BeginPaint and
// EndPaint), InvalidateRect, GetUpdateRgn and UpdateWindow.
#include "platform/portable/user32/paint.h"

#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/user32/update_region.h"

using namespace portable;

namespace {

// A context that draws into the window's client area, all of it or only
// `paint_region`.
HDC add_context(HWND window, std::optional<region> paint_region) {
  return gdi_process().dcs.add(window, window_surface, std::move(paint_region));
}

// Sends WM_ERASEBKGND with `dc`; true when the window procedure erased.
bool erase_background(HWND window, HDC dc) {
  return SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

}  // namespace

HDC WINAPI GetDC(HWND window) {
  if (!find_window(window)) return nullptr;
  return add_context(window, std::nullopt);
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  const dc_state* state = gdi_process().dcs.find(dc);
  if (!state || state->window != window || state->paint_region) return 0;
  gdi_process().dcs.remove(dc);
  return 1;
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  portable::window* w = find_window(window);
  if (!w) return FALSE;
  invalidate(*w, rect ? region(*rect) : region(w->client_rect()), erase);
  return TRUE;
}

int WINAPI GetUpdateRgn(HWND window, HRGN target, BOOL erase) {
  portable::window* w = find_window(window);
  region* out = gdi_process().gdi.find_as<region>(target);
  if (!w || !out) return ERROR;
  if (erase && w->erase_pending) {
    w->erase_pending = false;
    const HDC dc = add_context(window, w->update);
    erase_background(window, dc);
    gdi_process().dcs.remove(dc);
    if (!(w = find_window(window))) return ERROR;
  }
  *out = w->update;
  return out->type();
}

BOOL WINAPI UpdateWindow(HWND window) {
  const portable::window* w = find_window(window);
  if (!w) return FALSE;
  if (w->visible && !w->update.empty()) SendMessageW(window, WM_PAINT, 0, 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  portable::window* w = find_window(window);
  if (!w || !paint || current_host().fails(host::fallible::begin_paint)) return nullptr;
  const region painted = w->update;
  const bool erase = w->erase_pending;
  w->update = region();
  w->erase_pending = false;
  const HDC dc = add_context(window, painted);
  const bool erased = erase && erase_background(window, dc);
  if (!gdi_process().dcs.find(dc)) return nullptr;  // the window went away meanwhile
  *paint = PAINTSTRUCT{dc, erase && !erased, painted.bounds(), FALSE, FALSE, {}};
  return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  const dc_state* state = paint ? gdi_process().dcs.find(paint->hdc) : nullptr;
  if (state && state->window == window && state->paint_region) gdi_process().dcs.remove(paint->hdc);
  return TRUE;
}
