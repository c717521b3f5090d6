// Process start-up services: the module handle, the start-up information, GDI+
// start-up, and the UTF-8 to UTF-16 conversion of arguments and texts.
#include <gtest/gtest.h>

#include "platform/portable/seam/utf.h"
#include "platform/win32.h"

namespace {

TEST(ModuleHandle, OnlyTheProgramsOwnModuleIsKnown) {
  const HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_NE(self, nullptr);
  EXPECT_EQ(GetModuleHandleW(nullptr), self);
  EXPECT_EQ(GetModuleHandleW(u"user32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(StartupInfo, CarriesNoPositionOrSize) {
  STARTUPINFOW info;
  info.dwFlags = 0xFFFFFFFF;
  GetStartupInfoW(&info);
  EXPECT_EQ(info.cb, sizeof info);
  EXPECT_EQ(info.dwFlags & STARTF_USEPOSITION, 0u);
}

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

TEST(Utf, ConvertsBothWaysAndReplacesWhatIsMalformed) {
  struct utf_case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
  };
  const utf_case cases[] = {
      {"ascii", "warblet -x", u"warblet -x"},
      {"two and three bytes", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", u"\u00E9t\u00E9 \u20AC"},
      {"outside the basic plane", "\xF0\x9F\x8E\xB5", u"\U0001F3B5"},
      {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
      {"truncated sequence", "a\xE2\x82", u"a\uFFFD"},
      {"overlong encoding", "\xC0\xAF", u"\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
      {"invalid lead byte", "\xFF", u"\uFFFD"},
  };
  for (const utf_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(portable::utf16_from_utf8(c.utf8), c.utf16);
  }
  EXPECT_EQ(portable::utf8_from_utf16(u"\u00E9\U0001F3B5"), "\xC3\xA9\xF0\x9F\x8E\xB5");
  EXPECT_EQ(portable::utf8_from_utf16(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
