// printf-style formatting into xstrings: the room each attempt gets, the texts
// the framework builds, and formats the formatter rejects.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "cp/xstring.h"
#include "format_into.h"

namespace {

using text = cp::xstring<WCHAR>;

std::u16string contents(const text& s) { return std::u16string(s.data(), s.length()); }

TEST(XstringFormat, EachRetryDoublesTheRoom) {
  const struct {
    std::uint32_t length;
    std::uint32_t capacity;
  } cases[] = {
      {0, 65}, {63, 65}, {64, 65}, {65, 260}, {259, 260}, {260, 1040},
  };
  for (const auto& c : cases) {
    const std::u16string expected(c.length, u'w');
    text s = text::format(u"%s", expected.c_str());
    EXPECT_EQ(contents(s), expected) << c.length;
    EXPECT_EQ(s.capacity(), c.capacity) << c.length;
    EXPECT_EQ(s.data()[s.length()], 0) << c.length;
  }
}

TEST(XstringFormat, FormattingAgainReusesTheBuffer) {
  text s = text::format(u"%d", 1);
  const WCHAR* buffer = s.data();
  for (int i = 0; i < 40; ++i) format_into(s, false, u"%d", i);
  EXPECT_EQ(contents(s), u"39");
  EXPECT_EQ(s.data(), buffer);
  EXPECT_EQ(s.capacity(), 65u);

  for (int i = 0; i < 40; ++i) format_into(s, true, u"abc");
  EXPECT_EQ(s.length(), 122u);
  EXPECT_LE(s.capacity(), 2 * (122u + 65u));
}

TEST(XstringFormat, BuildsTheWindowClassNamesAndWidensNarrowText) {
  const text title(u"Warblet");
  text title_copy(title);
  const struct {
    std::u16string expected;
    text actual;
  } cases[] = {
      {u"win_Warblet0x00000000", text::format(u"win_%s0x%08x", title_copy.c_str(), 0u)},
      {u"win_Warblet0x00000001", text::format(u"win_%s0x%08x", title_copy.c_str(), 1u)},
      {u"win_Warblet0xdeadbeef", text::format(u"win_%s0x%08x", title_copy.c_str(), 0xdeadbeefu)},
      {u"narrow text", text::format(u"%S", "narrow text")},
  };
  for (const auto& c : cases) EXPECT_EQ(contents(c.actual), c.expected);
}

TEST(XstringFormat, AppendingKeepsTheTextIncludingTheStringsOwn) {
  text s(u"a text of some length");
  format_into(s, true, u" + %s", s.c_str());
  EXPECT_EQ(std::u16string(s.c_str()), u"a text of some length + a text of some length");

  text shared(s);
  format_into(shared, true, u"!%d", 7);
  EXPECT_EQ(contents(shared), u"a text of some length + a text of some length!7");
  EXPECT_EQ(contents(s), u"a text of some length + a text of some length");
}

// The string's own text as an argument when appending, from every kind of
// storage: formatting in place must not overwrite the argument's terminator
// before reading it, and a retry must not read a buffer the string has left.
TEST(XstringFormat, TheStringsOwnTextIsAnArgumentFromEveryStorage) {
  std::u16string roomy_storage;
  std::u16string tight_storage;
  text shared_keeper;
  const struct {
    const char* name;
    std::function<text()> make;
  } storages[] = {
      {"empty", [] { return text(); }},
      {"inline", [] { return text(u"xxx"); }},
      {"heap, exactly full", [] { return text(u"twenty-one units long"); }},
      {"heap with room",
       [] {
         text s(std::u16string(100, u'x').c_str());
         s.replace(3, 97, cp::text_source<WCHAR>(u""));
         return s;
       }},
      {"shared heap",
       [&] {
         shared_keeper = text(u"twenty-one units long");
         return shared_keeper;
       }},
      {"writable borrowed, no zero after it",
       [&] {
         roomy_storage.assign(100, u'y');
         text s;
         s.try_adopt(cp::text_source<WCHAR>(roomy_storage.data(), 3, 100, text::borrowed_writable));
         return s;
       }},
      {"writable borrowed, no room",
       [&] {
         tight_storage = u"abc";
         text s;
         s.try_adopt(cp::text_source<WCHAR>(tight_storage.data(), 3, 3, text::borrowed_writable));
         return s;
       }},
  };
  const struct {
    const char* name;
    void (*append)(text&);
    std::u16string (*expected)(const std::u16string&);
  } appends[] = {
      {"-%s", [](text& s) { format_into(s, true, u"-%s", s.c_str()); },
       [](const std::u16string& m) { return m + u"-" + m; }},
      {"%s%200d", [](text& s) { format_into(s, true, u"%s%200d", s.c_str(), 1); },
       [](const std::u16string& m) { return m + m + std::u16string(199, u' ') + u"1"; }},
      {"%.*s|", [](text& s) { format_into(s, true, u"%.*s|", int(s.length()), s.data()); },
       [](const std::u16string& m) { return m + m + u"|"; }},
  };
  for (const auto& storage : storages) {
    for (const auto& append : appends) {
      text s = storage.make();
      std::u16string model = contents(s);
      // Twice: the first append may move the text, the second then runs in place.
      for (int round = 0; round < 2; ++round) {
        append.append(s);
        model = append.expected(model);
        ASSERT_EQ(contents(s), model) << storage.name << ", " << append.name << ", round " << round;
      }
      EXPECT_EQ(contents(shared_keeper), shared_keeper.length() ? u"twenty-one units long" : u"");
    }
  }
}

TEST(XstringFormat, ARejectedFormatThrowsInsteadOfGrowingWithoutBound) {
  const struct {
    bool append;
    const WCHAR* format;
    std::u16string left;
  } cases[] = {
      {false, u"%y", u""},
      {true, u"%y", u"kept text"},
      {true, u"trailing %", u"kept text"},
      {false, u"%n", u""},
  };
  for (const auto& c : cases) {
    text s(u"kept text");
    int target = 0;
    EXPECT_THROW(format_into(s, c.append, c.format, &target), std::invalid_argument) << c.append;
    EXPECT_EQ(std::u16string(s.c_str()), c.left);
    EXPECT_LT(s.capacity(), 100u);
  }
  EXPECT_THROW(text::format(u"%y"), std::invalid_argument);
}

}  // namespace
