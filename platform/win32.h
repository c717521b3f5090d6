// The one include for every platform service the program uses.
//
// On Windows this is the Windows SDK itself, wide-character (UNICODE) flavour.
// Everywhere else it is the portable subset in platform/portable/, which supplies
// the same names, types, constants and results for exactly the calls the program
// makes. Code outside platform/ includes this header and never <windows.h>.
#pragma once

#ifdef _WIN32
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>
#include <algorithm>  // gdiplus.h uses min and max, which NOMINMAX removed
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
#include <stdlib.h>  // __argc, __wargv
#else
#include "platform/portable/win32_subset.h"
#endif
