// Painting a window: InvalidateRect, GetUpdateRgn, UpdateWindow, BeginPaint and
// EndPaint.
#include "platform/portable/paint.h"

#include "platform/portable/gdi_objects.h"
#include "platform/portable/host.h"
#include "platform/portable/process_state.h"
#include "platform/portable/update_region.h"

using namespace portable;

namespace {

// Sends WM_ERASEBKGND with `dc`; true when the window procedure erased.
bool erase_background(HWND window, HDC dc) {
  return SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

}  // namespace

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  portable::window* w = find_window(window);
  if (!w) return FALSE;
  invalidate(*w, rect ? region(*rect) : region(w->client_rect()), erase);
  return TRUE;
}

int WINAPI GetUpdateRgn(HWND window, HRGN target, BOOL erase) {
  portable::window* w = find_window(window);
  region* out = process().gdi.find_as<region>(target);
  if (!w || !out) return ERROR;
  if (erase && w->erase_pending) {
    w->erase_pending = false;
    const HDC dc = process().dcs.add(window, w->update);
    erase_background(window, dc);
    process().dcs.remove(dc);
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
  const HDC dc = process().dcs.add(window, painted);
  const bool erased = erase && erase_background(window, dc);
  if (!process().dcs.find(dc)) return nullptr;  // the window went away meanwhile
  *paint = PAINTSTRUCT{dc, erase && !erased, painted.bounds(), FALSE, FALSE, {}};
  return dc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  const dc_state* state = paint ? process().dcs.find(paint->hdc) : nullptr;
  if (state && state->window == window && state->paint_region) process().dcs.remove(paint->hdc);
  return TRUE;
}
