#include "platform/portable/kernel32/kernel.h"

#include <cstring>

#include "platform/portable/seam/host.h"
#include "platform/portable/seam/process_state.h"

namespace {
thread_local DWORD last_error = ERROR_SUCCESS;
// Any distinct address serves as the program's module handle.
char module_marker;
}  // namespace

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  count->QuadPart = portable::current_host().counter();
  return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  frequency->QuadPart = portable::current_host().counter_frequency();
  return TRUE;
}

// What is due when the program waits (captured audio to deliver, drawing to
// present) is done first: sleeping is waiting too.
VOID WINAPI Sleep(DWORD milliseconds) {
  portable::enter_platform();
  portable::current_host().sleep(milliseconds);
}

DWORD WINAPI GetLastError() { return last_error; }

VOID WINAPI SetLastError(DWORD error) { last_error = error; }

LONG WINAPI InterlockedIncrement(LONG volatile* addend) {
  return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR module_name) {
  if (module_name) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(&module_marker);
}

VOID WINAPI GetStartupInfoW(LPSTARTUPINFOW info) {
  std::memset(info, 0, sizeof *info);
  info->cb = sizeof *info;
}

DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds) {
  SetLastError(count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles ? ERROR_INVALID_PARAMETER
                                                                      : ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}
