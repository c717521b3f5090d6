// GDI+: only start-up and shutdown. Nothing is drawn through GDI+, so the
// portable library has no state behind the token beyond checking its use.
#pragma once

#include "platform/portable/kernel32/types.h"

namespace Gdiplus {

enum Status { Ok = 0, GenericError = 1, InvalidParameter = 2, UnsupportedGdiplusVersion = 17 };
enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
typedef VOID(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);

struct GdiplusStartupInput {
  UINT32 GdiplusVersion;
  DebugEventProc DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;

  GdiplusStartupInput(DebugEventProc callback = nullptr, BOOL suppress_background_thread = FALSE,
                      BOOL suppress_external_codecs = FALSE)
      : GdiplusVersion(1),
        DebugEventCallback(callback),
        SuppressBackgroundThread(suppress_background_thread),
        SuppressExternalCodecs(suppress_external_codecs) {}
};

struct GdiplusStartupOutput;

// Version 1 is the only one; the output structure is required only when the
// background thread is suppressed, as on Windows.
Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             GdiplusStartupOutput* output);
VOID WINAPI GdiplusShutdown(ULONG_PTR token);

}  // namespace Gdiplus
