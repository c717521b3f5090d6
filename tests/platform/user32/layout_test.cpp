// The structures the program hands to the subset have the Windows SDK's layout
// (the x86_64 one on 64-bit systems), so that code written against the SDK's
// documentation reads and writes the same fields.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/win32.h"

namespace {

TEST(Layouts, MatchTheWindowsSdk) {
  if (sizeof(void*) != 8) GTEST_SKIP() << "the sizes below are those of 64-bit Windows";
  struct layout_case {
    const char* name;
    std::size_t actual, expected;
  };
  const layout_case cases[] = {
      {"WNDCLASSEXW", sizeof(WNDCLASSEXW), 80},
      {"WNDCLASSEXW.cbWndExtra", offsetof(WNDCLASSEXW, cbWndExtra), 20},
      {"WNDCLASSEXW.hbrBackground", offsetof(WNDCLASSEXW, hbrBackground), 48},
      {"WNDCLASSEXW.hIconSm", offsetof(WNDCLASSEXW, hIconSm), 72},
      {"CREATESTRUCTW", sizeof(CREATESTRUCTW), 80},
      {"CREATESTRUCTW.cy", offsetof(CREATESTRUCTW, cy), 32},
      {"CREATESTRUCTW.style", offsetof(CREATESTRUCTW, style), 48},
      {"CREATESTRUCTW.dwExStyle", offsetof(CREATESTRUCTW, dwExStyle), 72},
      {"PAINTSTRUCT", sizeof(PAINTSTRUCT), 72},
      {"PAINTSTRUCT.rcPaint", offsetof(PAINTSTRUCT, rcPaint), 12},
      {"MONITORINFO", sizeof(MONITORINFO), 40},
      {"MONITORINFOEXW", sizeof(MONITORINFOEXW), 104},
      {"DEVMODEW", sizeof(DEVMODEW), 220},
      {"DEVMODEW.dmSize", offsetof(DEVMODEW, dmSize), 68},
      {"DEVMODEW.dmPosition", offsetof(DEVMODEW, dmPosition), 76},
      {"DEVMODEW.dmFormName", offsetof(DEVMODEW, dmFormName), 102},
      {"DEVMODEW.dmBitsPerPel", offsetof(DEVMODEW, dmBitsPerPel), 168},
      {"DEVMODEW.dmPelsWidth", offsetof(DEVMODEW, dmPelsWidth), 172},
      {"DEVMODEW.dmDisplayFrequency", offsetof(DEVMODEW, dmDisplayFrequency), 184},
      {"RGNDATAHEADER", sizeof(RGNDATAHEADER), 32},
      {"RGNDATA", sizeof(RGNDATA), 36},
      {"MSG", sizeof(MSG), 48},
      {"MSG.pt", offsetof(MSG, pt), 36},
  };
  for (const layout_case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
  const MONITORINFOEXW info{};
  EXPECT_EQ(reinterpret_cast<const char*>(&info.szDevice) - reinterpret_cast<const char*>(&info), 40);
}

}  // namespace
