#include "platform/portable/gdiplus/gdiplus.h"

namespace Gdiplus {

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  *token = 1;
  return Ok;
}

VOID WINAPI GdiplusShutdown(ULONG_PTR token) {}

}  // namespace Gdiplus
