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
