// The runtime's copy of the process arguments, filled by the process entry.
#include "platform/portable/kernel32/entry.h"

int __argc = 0;
WCHAR** __wargv = nullptr;
