// user32: window classes and top-level windows, their placement, frames, extra
// bytes and titles, the system's icons and cursors and the program's own icons.
//
// What the subset does as Windows does:
//   - CreateWindowExW sends WM_NCCREATE, WM_NCCALCSIZE and WM_CREATE; a popup then
//     gets WM_SIZE (SIZE_RESTORED, client size) and WM_MOVE before the call
//     returns, while an overlapped window gets them at its first ShowWindow.
//     FALSE from WM_NCCREATE or -1 from WM_CREATE fails the creation: the
//     procedure sees WM_NCDESTROY (after WM_DESTROY, for a refused WM_CREATE)
//     and the result is null.
//   - A window that is neither a popup nor a child is overlapped and always has a
//     caption: WS_CAPTION and WS_CLIPSIBLINGS are added to its style.
//   - MoveWindow sends WM_MOVE when the client area moved and then WM_SIZE when
//     its size changed, and nothing else.
//   - DestroyWindow sends WM_DESTROY then WM_NCDESTROY, drops the messages posted
//     to the window, and the handle is invalid afterwards.
//   - Class names are compared without regard to case (ASCII letters).
// Where the subset is narrower: no child windows (a parent or menu fails the
// creation with ERROR_INVALID_PARAMETER), ShowWindow knows hiding and showing
// normally (every other command shows normally), and of the program's own
// resources only the icons its build registered exist (program_icon.h).
#pragma once

#include "platform/portable/kernel32/types.h"
#include "platform/portable/user32/user.h"

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)

#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_APPWINDOW 0x00040000L

#define CW_USEDEFAULT ((int)0x80000000)

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10

#define IDI_APPLICATION MAKEINTRESOURCEW(32512)
#define IDC_ARROW MAKEINTRESOURCEW(32512)

struct WNDCLASSEXW {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
  HICON hIconSm;
};

struct CREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};
typedef CREATESTRUCTW* LPCREATESTRUCTW;

// cbSize must be sizeof(WNDCLASSEXW). The atom is one of Windows' string atoms
// (0xC000 and up); a name already registered fails with ERROR_CLASS_ALREADY_EXISTS.
ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* wc);
// The class is named by its name or by MAKEINTATOM(atom), with the instance that
// registered it; a class that still has windows fails with ERROR_CLASS_HAS_WINDOWS.
BOOL WINAPI UnregisterClassW(LPCWSTR class_name, HINSTANCE instance);

// x = CW_USEDEFAULT lets the host place an overlapped window (a popup goes to
// 0, 0); width = CW_USEDEFAULT gives an overlapped window three quarters of the
// primary monitor's work area. Fails when the host can make no window (no
// display), with ERROR_GEN_FAILURE and the host's reason on stderr.
HWND WINAPI CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR window_name, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param);
BOOL WINAPI DestroyWindow(HWND window);
// Returns whether the window was visible before. Showing invalidates the whole
// client area, to be erased.
BOOL WINAPI ShowWindow(HWND window, int command);
// Sends WM_PAINT at once when the update region is not empty.
BOOL WINAPI UpdateWindow(HWND window);
// The outer rectangle, in screen coordinates. With repaint, the area that
// growing uncovers joins the update region.
BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// While a window is minimised its client area is empty, as on Windows.
BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
// Adds the frame the host reports (frame_extents) for a window with a caption,
// border or sizing frame; nothing for a bare popup. There is no menu bar.
BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style);

// Only the window's extra bytes (index 0 up to cbWndExtra less the value's size);
// another index fails with ERROR_INVALID_INDEX. A pointer needs
// SetWindowLongPtrW and cbWndExtra of sizeof(LONG_PTR): LONG is 32 bits.
LONG WINAPI SetWindowLongW(HWND window, int index, LONG value);
LONG WINAPI GetWindowLongW(HWND window, int index);
LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index);

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text);

// With a null instance: the system's icons (IDI_*) and cursors (IDC_*), shared
// handles that need no release. With the program's module: the icons its build
// registered, by number; any other icon, and every cursor, fails with
// ERROR_RESOURCE_DATA_NOT_FOUND.
HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name);
