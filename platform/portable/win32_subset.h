// The portable implementation of the Win32 subset that Warblet calls.
//
// Each header below holds one library's share with the Windows SDK's names:
//   types.h    base types, handles, TEXT(), error codes
//   kernel.h   performance counter, Sleep, last error, interlocked increment,
//              module handle, start-up information, WaitForMultipleObjects
//   user.h     message numbers, message queue, message waits, quit message,
//              sending messages, cursor display count, default window procedure,
//              message box
//   window.h   window classes, windows, placement, frames, extra bytes, titles,
//              system icons and cursors, the program's icons
//   input.h    virtual keys, key state, cursor position
//   paint.h    device contexts of windows, update regions, painting, scrolling,
//              rectangle fills and rectangle arithmetic
//   display.h  screen metrics, monitors, display settings
//   gdi.h      regions, brushes, stock objects, text, reading pixels
//   bitmap.h   the device-independent bitmap header (BITMAPINFOHEADER)
//   winmm.h    wave input
//   vfw.h      DrawDib: copying a device-independent bitmap into a window
//   gdiplus.h  GDI+ start-up and shutdown
//   wformat.h  the C runtime's bounded wide formatter (_vsnwprintf, _vscwprintf)
//   entry.h    the process entry: main() calls wWinMain with __argc and __wargv
// The machine underneath (clock, waiting, windows, input, audio) is reached only
// through the host interface in host.h.
#pragma once

#include "platform/portable/types.h"
#include "platform/portable/kernel.h"
#include "platform/portable/user.h"
#include "platform/portable/window.h"
#include "platform/portable/input.h"
#include "platform/portable/paint.h"
#include "platform/portable/display.h"
#include "platform/portable/gdi.h"
#include "platform/portable/bitmap.h"
#include "platform/portable/winmm.h"
#include "platform/portable/vfw.h"
#include "platform/portable/gdiplus.h"
#include "platform/portable/wformat.h"
#include "platform/portable/entry.h"
