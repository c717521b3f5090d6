// gdi32's region objects: creating, combining and reading them back.
#include <algorithm>
#include <cstring>

#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/seam/host.h"

using namespace portable;

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  const RECT ordered{std::min(left, right), std::min(top, bottom), std::max(left, right),
                     std::max(top, bottom)};
  return static_cast<HRGN>(gdi_process().gdi.add(region(ordered)));
}

int WINAPI CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  gdi_table& gdi = gdi_process().gdi;
  region* target = gdi.find_as<region>(dest);
  const region* first = gdi.find_as<region>(src1);
  const region* second = mode == RGN_COPY ? first : gdi.find_as<region>(src2);
  if (!target || !first || !second) return ERROR;
  region result = *first;
  switch (mode) {
    case RGN_AND:
      result.intersect(*second);
      break;
    case RGN_OR:
      result.unite(*second);
      break;
    case RGN_XOR:
      result.exclusive_or(*second);
      break;
    case RGN_DIFF:
      result.subtract(*second);
      break;
    case RGN_COPY:
      break;
    default:
      return ERROR;
  }
  *target = std::move(result);
  return target->type();
}

DWORD WINAPI GetRegionData(HRGN handle, DWORD count, LPRGNDATA data) {
  const region* found = gdi_process().gdi.find_as<region>(handle);
  if (!found || current_host().fails(host::fallible::get_region_data)) return 0;
  const std::vector<RECT> rectangles = found->rectangles();
  const DWORD rectangle_bytes = static_cast<DWORD>(rectangles.size() * sizeof(RECT));
  const DWORD needed = sizeof(RGNDATAHEADER) + rectangle_bytes;
  if (!data) return needed;
  if (count < needed) return 0;
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rectangles.size());
  data->rdh.nRgnSize = rectangle_bytes;
  data->rdh.rcBound = found->bounds();
  if (!rectangles.empty()) std::memcpy(data->Buffer, rectangles.data(), rectangle_bytes);
  return count;
}
