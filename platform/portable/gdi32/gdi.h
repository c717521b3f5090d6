// gdi32: regions, brushes, the stock objects, selecting objects into a device
// context, the text settings, text output and reading a pixel back.
//
// Regions are pixman regions, so their rectangles come in Windows' order: bands
// from top to bottom, left to right within a band. Text is drawn with SDL2_ttf
// from DejaVu Sans, at sizes giving the line height of the Windows font of the
// same stock name (16 pixels for SYSTEM_FONT, 13 for DEFAULT_GUI_FONT).
// SelectObject takes brushes and fonts; the stock objects are brushes and fonts
// only, and deleting one does nothing, as on Windows.
#pragma once

#include "platform/portable/kernel32/types.h"

// The system colours a brush may name (as the colour's number plus one).
#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_BTNFACE 15

// Region types, the results of region calls.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR 0xFFFFFFFFL

#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5
#define RDH_RECTANGLES 1

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

#define TRANSPARENT 1
#define OPAQUE 2

#define TA_NOUPDATECP 0
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24

struct RGNDATAHEADER {
  DWORD dwSize;
  DWORD iType;
  DWORD nCount;
  DWORD nRgnSize;
  RECT rcBound;
};

// The header, then rdh.nCount RECTs from Buffer on.
struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
};
typedef RGNDATA* LPRGNDATA;

// Inverted corners are put in order.
HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom);
// Returns the type of the result, or ERROR (src2 is not read for RGN_COPY).
int WINAPI CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
// With a null buffer, the bytes needed: the header and a RECT per rectangle. With
// a buffer of at least that many bytes, fills it and returns `count`; else 0.
DWORD WINAPI GetRegionData(HRGN region, DWORD count, LPRGNDATA data);
BOOL WINAPI DeleteObject(HGDIOBJ object);

HBRUSH WINAPI CreateSolidBrush(COLORREF colour);
HGDIOBJ WINAPI GetStockObject(int index);
// Returns the object of the same kind that was selected before; null on failure.
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);

// Each returns the previous setting (on failure CLR_INVALID, 0 and GDI_ERROR).
COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
int WINAPI SetBkMode(HDC dc, int mode);
UINT WINAPI SetTextAlign(HDC dc, UINT align);
// Draws with the context's font, text colour and alignment; in OPAQUE mode the
// text's cell is filled with white first.
BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);

// CLR_INVALID outside the area the context may draw on.
COLORREF WINAPI GetPixel(HDC dc, int x, int y);
