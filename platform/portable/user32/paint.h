// user32: device contexts of windows, update regions, painting, scrolling, and
// the rectangle fills and rectangle arithmetic that user32 (not gdi32) provides.
//
// Each window owns a 32-bit pixel surface the size of its client area, and every
// device context of the window draws into it: painting through GetDC's context
// and through BeginPaint's lands in the same pixels. A context from GetDC may
// draw anywhere in the client area; one from BeginPaint only inside the region
// being painted, as on Windows. Each context has its own selected objects and
// text settings, starting from the defaults (white brush, system font, black
// text, opaque background, TA_TOP | TA_LEFT).
//
// The update region of a hidden window stays empty: invalidating it does
// nothing, and showing it invalidates the whole client area. WM_PAINT is
// generated while a visible window's update region is not empty and the queue
// has nothing else (see PeekMessageW).
#pragma once

#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/kernel32/types.h"

#define SW_SCROLLCHILDREN 0x0001
#define SW_INVALIDATE 0x0002
#define SW_ERASE 0x0004

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

// A new context for each call, released with ReleaseDC (1 on success, 0 for a
// context that is not the window's).
HDC WINAPI GetDC(HWND window);
int WINAPI ReleaseDC(HWND window, HDC dc);

// Sends WM_ERASEBKGND if the update region was invalidated with erasing (fErase
// is then TRUE when the procedure did not erase), sets rcPaint to the update
// region's bounding box, clips the returned context to that region and
// validates it. EndPaint releases the context.
HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);

// A null rectangle is the whole client area; the rectangle is clipped to it.
BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
// Copies the update region into `region`; returns its type.
int WINAPI GetUpdateRgn(HWND window, HRGN region, BOOL erase);

// Moves the pixels of the scroll rectangle (null: the client area) by dx, dy;
// only pixels inside the clip rectangle (null: the client area) change. The part
// of the update region inside the scroll rectangle is copied along with the
// pixels (the old part stays invalid). The uncovered area is returned through
// update_region and update_rect (its bounding box) when they are given, joins
// the update region with SW_INVALIDATE (to be erased with SW_ERASE), and its
// type is the result: NULLREGION, SIMPLEREGION or COMPLEXREGION; ERROR when the
// window does not exist.
int WINAPI ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip,
                          HRGN update_region, LPRECT update_rect, UINT flags);

// FillRect's brush may also be a system colour index + 1 (COLOR_WINDOW + 1): the
// three below, in Windows' default colours. FrameRect takes only brushes and
// draws the rectangle's one-pixel border inside it.
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush);

// An empty intersection gives FALSE and sets `out` to 0, 0, 0, 0.
BOOL WINAPI IntersectRect(LPRECT out, const RECT* a, const RECT* b);
BOOL WINAPI IsRectEmpty(const RECT* rect);
