// Win32 base types with the Windows SDK's names and sizes (as on 64-bit Windows:
// LONG and DWORD are 32 bits, the pointer-sized types follow the pointer).
#pragma once

#include <cstdint>

#define WINAPI
#define CALLBACK
#define VOID void
#define CONST const

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int64_t LONGLONG;
typedef int INT;
typedef unsigned int UINT;
typedef std::uint32_t UINT32;
typedef short SHORT;
typedef char CHAR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;

// One UTF-16 code unit, as wchar_t is on Windows.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef DWORD COLORREF;
#define TEXT(quote) u##quote

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) \
  ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))

// Integer resource names and atoms travel in the pointer that otherwise holds a name.
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTATOM(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Distinct pointer types per handle kind, so that mixing them up does not compile.
#define WARBLET_DECLARE_HANDLE(name) \
  struct name##__ {                  \
    int unused;                      \
  };                                 \
  typedef struct name##__* name
typedef void* HANDLE;
typedef void* HGDIOBJ;
WARBLET_DECLARE_HANDLE(HWND);
WARBLET_DECLARE_HANDLE(HINSTANCE);
WARBLET_DECLARE_HANDLE(HDC);
WARBLET_DECLARE_HANDLE(HBRUSH);
WARBLET_DECLARE_HANDLE(HRGN);
WARBLET_DECLARE_HANDLE(HFONT);
WARBLET_DECLARE_HANDLE(HICON);
WARBLET_DECLARE_HANDLE(HMENU);
WARBLET_DECLARE_HANDLE(HMONITOR);
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
#undef WARBLET_DECLARE_HANDLE

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};
typedef POINT* LPPOINT;

struct POINTL {
  LONG x;
  LONG y;
};

// Right and bottom are exclusive.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

// Error codes (GetLastError).
#define ERROR_SUCCESS 0L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_GEN_FAILURE 31L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_INVALID_INDEX 1413L
#define ERROR_INVALID_THREAD_ID 1444L
#define ERROR_INVALID_MONITOR_HANDLE 1461L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
