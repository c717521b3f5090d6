// msvfw32's DrawDib, for exactly what the program asks of it: one-to-one copies
// of a 32-bit bottom-up BI_RGB picture into a window's device context. A source
// rectangle is counted from the picture's top-left corner, as on Windows,
// although the rows are stored bottom-up. Other requests (stretching, other
// depths, compressed or top-down pictures) fail and change nothing.
#pragma once

#include "platform/portable/gdi32/bitmap.h"
#include "platform/portable/kernel32/types.h"

struct HDRAWDIB__ {
  int unused;
};
typedef HDRAWDIB__* HDRAWDIB;

// Null when drawing is not available on this host.
HDRAWDIB WINAPI DrawDibOpen();
BOOL WINAPI DrawDibClose(HDRAWDIB drawdib);
BOOL WINAPI DrawDibDraw(HDRAWDIB drawdib, HDC dc, int x_dst, int y_dst, int dx_dst, int dy_dst,
                        LPBITMAPINFOHEADER header, LPVOID bits, int x_src, int y_src, int dx_src, int dy_src,
                        UINT flags);
