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
#define TEXT(quote) u##quote

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Distinct pointer types per handle kind, so that mixing them up does not compile.
#define WARBLET_DECLARE_HANDLE(name) \
  struct name##__ { int unused; };   \
  typedef struct name##__* name
typedef void* HANDLE;
WARBLET_DECLARE_HANDLE(HWND);
WARBLET_DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
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

// Error codes (GetLastError).
#define ERROR_SUCCESS 0L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_GEN_FAILURE 31L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_INVALID_THREAD_ID 1444L
