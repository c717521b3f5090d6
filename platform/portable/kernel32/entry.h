// The process entry. The portable library's main() turns the UTF-8 arguments into
// UTF-16, fills __argc and __wargv as the Windows runtime does, opens the host and
// calls the program's wWinMain; its result is the exit code.
#pragma once

#include "platform/portable/kernel32/types.h"

extern int __argc;
extern WCHAR** __wargv;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR command_line, int show);
