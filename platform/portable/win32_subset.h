// The portable implementation of the Win32 subset that Warblet calls.
//
// Each header below holds one library's share with the Windows SDK's names:
//   types.h    base types, handles, TEXT(), error codes
//   kernel.h   performance counter, Sleep, last error, interlocked increment,
//              module handle, start-up information, WaitForMultipleObjects
//   user.h     message queue, message waits, quit message, cursor display count,
//              default window procedure
//   bitmap.h   the device-independent bitmap header (BITMAPINFOHEADER)
//   winmm.h    wave input
//   gdiplus.h  GDI+ start-up and shutdown
//   wformat.h  the C runtime's bounded wide formatter (_vsnwprintf, _vscwprintf)
//   entry.h    the process entry: main() calls wWinMain with __argc and __wargv
// The machine underneath (clock, waiting, windows, input, audio) is reached only
// through the host interface in host.h.
#pragma once

#include "platform/portable/types.h"
#include "platform/portable/kernel.h"
#include "platform/portable/user.h"
#include "platform/portable/bitmap.h"
#include "platform/portable/winmm.h"
#include "platform/portable/gdiplus.h"
#include "platform/portable/wformat.h"
#include "platform/portable/entry.h"
