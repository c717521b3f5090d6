// Rectangles and regions for the conformance tests: comparing and printing
// RECTs, and reading a region back as its list of rectangles.
#pragma once

#include <ostream>
#include <vector>

#include "platform/win32.h"

// RECT is a plain structure on both sides; these live beside it in the global
// namespace so that GoogleTest finds them.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace conformance {

// The region's rectangles in the order GetRegionData gives them.
inline std::vector<RECT> rectangles_of(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return {};
  std::vector<char> buffer(size);
  RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(region, size, data) == 0) return {};
  const RECT* first = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(first, first + data->rdh.nCount);
}

// The window's update region as rectangles.
inline std::vector<RECT> update_rectangles(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(window, region, FALSE);
  std::vector<RECT> result = rectangles_of(region);
  DeleteObject(region);
  return result;
}

// A region made of the given rectangles.
inline HRGN region_of(const std::vector<RECT>& parts) {
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : parts) {
    HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(result, result, part, RGN_OR);
    DeleteObject(part);
  }
  return result;
}

// Whether every pixel of `inner` lies in `outer`.
inline bool region_contains(HRGN outer, HRGN inner) {
  HRGN rest = CreateRectRgn(0, 0, 0, 0);
  const bool contained = CombineRgn(rest, inner, outer, RGN_DIFF) == NULLREGION;
  DeleteObject(rest);
  return contained;
}

}  // namespace conformance
