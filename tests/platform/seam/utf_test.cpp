// The UTF-8 to UTF-16 conversion of arguments and texts.
#include <gtest/gtest.h>

#include "platform/portable/seam/utf.h"

namespace {

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
