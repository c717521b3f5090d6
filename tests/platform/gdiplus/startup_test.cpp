// GDI+ start-up and shut-down.
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

TEST(Gdiplus, StartupChecksItsInput) {
  Gdiplus::GdiplusStartupInput plain;
  Gdiplus::GdiplusStartupInput version_two;
  version_two.GdiplusVersion = 2;
  Gdiplus::GdiplusStartupInput no_thread(nullptr, TRUE, FALSE);
  struct startup_case {
    const Gdiplus::GdiplusStartupInput* input;
    Gdiplus::Status expected;
  };
  for (const startup_case c :
       {startup_case{&plain, Gdiplus::Ok}, startup_case{&version_two, Gdiplus::UnsupportedGdiplusVersion},
        startup_case{&no_thread, Gdiplus::InvalidParameter},
        startup_case{nullptr, Gdiplus::InvalidParameter}}) {
    ULONG_PTR token = 0;
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, c.input, nullptr), c.expected);
    if (c.expected == Gdiplus::Ok) {
      EXPECT_NE(token, 0u);
      Gdiplus::GdiplusShutdown(token);
    }
  }
}

}  // namespace
