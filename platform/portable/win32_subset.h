// The portable implementation of the Win32 subset that Warblet calls.
//
// Each folder is one Windows library, and each header below holds its share
// with the Windows SDK's names:
//   kernel32/types.h    base types, handles, TEXT(), error codes
//   kernel32/kernel.h   performance counter, Sleep, last error, interlocked
//                       increment, module handle, start-up information,
//                       WaitForMultipleObjects
//   user32/user.h       message numbers, message queue, message waits, quit
//                       message, sending messages, cursor display count,
//                       default window procedure, message box
//   user32/window.h     window classes, windows, placement, frames, extra bytes,
//                       titles, system icons and cursors, the program's icons
//   user32/input.h      virtual keys, key state, cursor position
//   user32/paint.h      device contexts of windows, update regions, painting,
//                       scrolling, rectangle fills and rectangle arithmetic
//   user32/display.h    screen metrics, monitors, display settings
//   gdi32/gdi.h         regions, brushes, stock objects, system colours, text,
//                       reading pixels
//   gdi32/bitmap.h      the device-independent bitmap header (BITMAPINFOHEADER)
//   winmm/winmm.h       wave input
//   msvfw32/vfw.h       DrawDib: copying a device-independent bitmap into a window
//   gdiplus/gdiplus.h   GDI+ start-up and shutdown
//   kernel32/wformat.h  the C runtime's bounded wide formatter (_vsnwprintf,
//                       _vscwprintf)
//   kernel32/entry.h    the process entry: main() calls wWinMain with __argc and
//                       __wargv
// The machine underneath (clock, waiting, windows, input, audio) is reached only
// through the host interface in seam/host.h.
#pragma once

#include "platform/portable/kernel32/types.h"
#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/user32/user.h"
#include "platform/portable/user32/window.h"
#include "platform/portable/user32/input.h"
#include "platform/portable/user32/paint.h"
#include "platform/portable/user32/display.h"
#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/gdi32/bitmap.h"
#include "platform/portable/winmm/winmm.h"
#include "platform/portable/msvfw32/vfw.h"
#include "platform/portable/gdiplus/gdiplus.h"
#include "platform/portable/kernel32/wformat.h"
#include "platform/portable/kernel32/entry.h"
