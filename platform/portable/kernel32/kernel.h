// kernel32: the performance counter, sleeping and waiting, the thread's last
// error, interlocked increment, the module handle and the start-up information.
#pragma once

#include "platform/portable/kernel32/types.h"

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define MAXIMUM_WAIT_OBJECTS 64

#define STARTF_USESHOWWINDOW 0x00000001u
#define STARTF_USESIZE 0x00000002u
#define STARTF_USEPOSITION 0x00000004u

struct STARTUPINFOW {
  DWORD cb;
  LPWSTR lpReserved;
  LPWSTR lpDesktop;
  LPWSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFOW* LPSTARTUPINFOW;

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
VOID WINAPI Sleep(DWORD milliseconds);

DWORD WINAPI GetLastError();
VOID WINAPI SetLastError(DWORD error);

LONG WINAPI InterlockedIncrement(LONG volatile* addend);

// Only the program's own module is known: a null name gives its handle; any
// other name fails with ERROR_MOD_NOT_FOUND.
HMODULE WINAPI GetModuleHandleW(LPCWSTR module_name);

// The process is never started with a window position or size: dwFlags is 0.
VOID WINAPI GetStartupInfoW(LPSTARTUPINFOW info);

// The subset creates no waitable objects, so every handle is invalid: the call
// fails with ERROR_INVALID_HANDLE, or ERROR_INVALID_PARAMETER for a count of 0 or
// more than MAXIMUM_WAIT_OBJECTS, as Windows does.
DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds);
