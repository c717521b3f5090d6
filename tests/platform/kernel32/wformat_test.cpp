// The portable bounded wide formatter: the Windows runtime's meaning of the
// directives, its truncating results, and rejected formats told apart from
// text that merely did not fit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32.h"
#include "tests/platform/kernel32/wide_format_calls.h"

namespace {

// The whole text of one format, through both functions, which must agree.
std::u16string formatted(const WCHAR* format, ...) {
  WCHAR buffer[128];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = _vsnwprintf(buffer, 128, format, args);
  const int counted = _vscwprintf(format, again);
  va_end(again);
  va_end(args);
  if (length < 0) return u"<rejected>";
  EXPECT_EQ(counted, length) << "for the format with the result " << length;
  EXPECT_EQ(buffer[length], 0);
  return std::u16string(buffer, length);
}

struct formatted_case {
  std::u16string expected;
  std::u16string actual;
};

TEST(WideFormatter, DirectivesHaveTheWindowsMeaning) {
  const std::string largest_size = std::to_string(SIZE_MAX);
  const std::u16string pointer_digits =
      std::u16string(2 * sizeof(void*), u'0').replace(2 * sizeof(void*) - 2, 2, u"AB");
  const formatted_case cases[] = {
      {u"win_Warblet0x00000000", formatted(u"win_%s0x%08x", u"Warblet", 0u)},
      {u"win_Warblet0x0000002a", formatted(u"win_%s0x%08x", u"Warblet", 42u)},
      {u"narrow", formatted(u"%S", "narrow")},
      {u"caf\u00e9", formatted(u"%S", "caf\xc3\xa9")},
      {u"ab", formatted(u"%hs%ls", "a", u"b")},
      {u"wide", formatted(u"%wS", u"wide")},
      {u"(null)", formatted(u"%s", static_cast<const WCHAR*>(nullptr))},
      {u"Zq", formatted(u"%c%C", u'Z', 'q')},
      {u"  x", formatted(u"%3c", u'x')},
      {u"-42 +5  5", formatted(u"%d %+d % i", -42, 5, 5)},
      {u"   42|42   |", formatted(u"%5d|%-5d|", 42, 42)},
      {u"-0042", formatted(u"%05d", -42)},
      {u"007|     007|", formatted(u"%.3d|%8.3d|", 7, 7)},
      {u"||", formatted(u"|%.0d|", 0)},
      {u"4294967295", formatted(u"%u", 4294967295u)},
      {u"ff FF 0xff 0XFF", formatted(u"%x %X %#x %#X", 255u, 255u, 255u, 255u)},
      {u"10 010 0", formatted(u"%o %#o %#x", 8u, 8u, 0u)},
      {u"-9223372036854775808", formatted(u"%lld", static_cast<long long>(INT64_MIN))},
      {u"18446744073709551615", formatted(u"%I64u", static_cast<unsigned long long>(UINT64_MAX))},
      {u"-1 -1 ffffffff", formatted(u"%hd %ld %I32x", 65535, -1, -1)},
      {u"   7|7   |", formatted(u"%*d|%*d|", 4, 7, -4, 7)},
      {u"abc|abcdef", formatted(u"%.*s|%.*s", 3, u"abcdef", -1, u"abcdef")},
      {u"    ab|ab    |", formatted(u"%6s|%-6.2s|", u"ab", u"abcd")},
      {u"100%", formatted(u"100%%")},
      {pointer_digits, formatted(u"%p", reinterpret_cast<void*>(0xAB))},
      {std::u16string(largest_size.begin(), largest_size.end()), formatted(u"%Iu", SIZE_MAX)},
  };
  for (const formatted_case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

// A precision bounds what is read, so an array of exactly that many units (or
// bytes) needs no terminator; a terminator before the precision still ends it.
TEST(WideFormatter, APrecisionStopsTheReadingOfText) {
  const std::unique_ptr<WCHAR[]> wide(new WCHAR[3]{u'a', u'b', u'c'});
  const std::unique_ptr<char[]> narrow(new char[3]{'d', 'e', 'f'});
  const formatted_case cases[] = {
      {u"abc", formatted(u"%.3s", wide.get())},
      {u"ab", formatted(u"%.2s", wide.get())},
      {u"  abc", formatted(u"%5.*s", 3, wide.get())},
      {u"def", formatted(u"%.3S", narrow.get())},
      {u"de |", formatted(u"%-3.2hs|", narrow.get())},
      {u"xy", formatted(u"%.5s", u"xy")},
      {u"xy", formatted(u"%.5S", "xy")},
  };
  for (const formatted_case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(WideFormatter, BoundedFormTruncatesAndTerminatesOnlyWhenThereIsRoom) {
  struct {
    std::size_t count;
    int result;
    std::u16string buffer_after;  // the eight units of the buffer afterwards
  } const cases[] = {
      {4, -1, u"abcd####"},
      {5, 5, u"abcde###"},
      {6, 5, std::u16string(u"abcde\0##", 8)},
      {0, -1, u"########"},
  };
  for (const auto& c : cases) {
    std::u16string buffer(8, u'#');
    EXPECT_EQ(bounded(buffer.data(), c.count, u"%s", u"abcde"), c.result) << c.count;
    EXPECT_EQ(buffer, c.buffer_after) << c.count;
  }
}

TEST(WideFormatter, RejectedFormatsAreToldApartFromTextThatDidNotFit) {
  WCHAR buffer[4];
  EXPECT_EQ(bounded(buffer, 4, u"%s", u"longer than four"), -1);
  EXPECT_EQ(measured(u"%s", u"longer than four"), 16);

  // Padding is counted without being produced, so a huge width is cheap to measure.
  EXPECT_EQ(measured(u"%2147483647d", 1), INT_MAX);
  EXPECT_EQ(measured(u"x%2147483647d", 1), -1);  // longer than INT_MAX units

  int target = 0;
  const WCHAR* const rejected[] = {u"%y", u"%n", u"abc%", u"%99999999999d", u"%.99999999999d"};
  for (const WCHAR* format : rejected) {
    EXPECT_EQ(bounded(buffer, 4, format, &target), -1);
    EXPECT_EQ(measured(format, &target), -1);
  }
  EXPECT_EQ(target, 0);
  EXPECT_EQ(measured(nullptr), -1);
}

}  // namespace
