// Editing xstrings, checked against std::u16string: replacing with part of the
// string's own text, and long random sequences of edits over strings that share
// buffers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cp/xstring.h"
#include "format_into.h"

namespace {

using text = cp::xstring<WCHAR>;
using source = cp::text_source<WCHAR>;

std::u16string contents(const text& s) { return std::u16string(s.data(), s.length()); }

// Ways to hold the same eight units, so that a replacement runs in place in
// the inline buffer, in place in a heap buffer with room to spare, or moves to
// new storage because another string shares the buffer.
struct holding {
  const char* name;
  std::function<text()> make;
};

text with_spare_room() {
  text s(u"abcdefgh________________________");
  s.replace(8, s.length() - 8, source(u""));
  return s;
}

TEST(XstringReplace, ASourceInsideTheSameTextGivesTheSameResultAsASeparateCopy) {
  const std::u16string initial = u"abcdefgh";
  text shared_keeper = with_spare_room();
  const holding holdings[] = {
      {"inline", [&] { return text(initial.c_str()); }},
      {"spare room", with_spare_room},
      {"shared",
       [&] {
         shared_keeper = with_spare_room();
         return shared_keeper;
       }},
  };
  for (const holding& h : holdings) {
    for (std::uint32_t pos = 0; pos <= 8; ++pos) {
      for (std::uint32_t n = 0; pos + n <= 8; ++n) {
        for (std::uint32_t offset = 0; offset <= 8; ++offset) {
          for (std::uint32_t length = 0; offset + length <= 8; ++length) {
            text s = h.make();
            std::u16string expected = initial;
            expected.replace(pos, n, initial.substr(offset, length));
            s.replace(pos, n, source(s.data() + offset, length));
            ASSERT_EQ(contents(s), expected)
                << h.name << " pos " << pos << " n " << n << " offset " << offset << " length " << length;
            ASSERT_EQ(std::u16string(s.c_str()), expected);
            ASSERT_EQ(contents(shared_keeper), u"abcdefgh") << h.name;
          }
        }
      }
    }
  }
}

// Random edits over a few strings that keep assigning one another (and so share
// buffers), each mirrored on a std::u16string; after every edit all the strings
// must still hold their mirrors' text.
class random_edits {
 public:
  explicit random_edits(std::uint32_t seed) : random(seed), strings(5), mirrors(5) {}

  void run(int steps) {
    for (int step = 0; step < steps; ++step) {
      edit_one();
      for (std::size_t i = 0; i < strings.size(); ++i) {
        ASSERT_EQ(contents(strings[i]), mirrors[i]) << "string " << i << " after step " << step;
        ASSERT_GE(strings[i].capacity(), strings[i].length());
      }
    }
  }

 private:
  std::uint32_t below(std::uint32_t limit) {
    return std::uniform_int_distribution<std::uint32_t>(0, limit - 1)(random);
  }

  std::u16string fresh_text() {
    std::u16string made(below(24), u'a');
    for (char16_t& unit : made) unit = static_cast<char16_t>(u'a' + below(26));
    return made;
  }

  void edit_one() {
    const std::uint32_t target = below(5);
    const std::uint32_t other = below(5);
    text& s = strings[target];
    std::u16string& mirror = mirrors[target];
    const std::uint32_t pos = below(s.length() + 1);
    const std::uint32_t n = below(s.length() - pos + 1);
    switch (below(7)) {
      case 0:
        s.assign(text::string_source(strings[other]));
        mirror = mirrors[other];
        break;
      case 1: {
        const std::u16string inserted = fresh_text();
        s.replace(pos, n, source(inserted.data(), static_cast<std::uint32_t>(inserted.size())));
        mirror.replace(pos, n, inserted);
        break;
      }
      case 2:
      case 3: {
        // Part of a string's text: this one's, or one that may share its buffer.
        const text& from = strings[other];
        const std::u16string from_text = mirrors[other];
        const std::uint32_t offset = below(from.length() + 1);
        const std::uint32_t length = below(from.length() - offset + 1);
        s.replace(pos, n, source(from.data() + offset, length));
        mirror.replace(pos, n, from_text.substr(offset, length));
        break;
      }
      case 4:
        s.replace(pos, n, source(u""));
        mirror.erase(pos, n);
        break;
      case 5: {
        // A string's own text may be an argument only when the result goes after
        // it: formatting over the text being read cannot work.
        const bool append = other == target || below(2) == 1;
        format_into(s, append, u"%s-%d", strings[other].c_str(), static_cast<int>(pos));
        const std::u16string formatted = mirrors[other] + u"-" + to_u16(pos);
        mirror = append ? mirror + formatted : formatted;
        break;
      }
      default:
        ASSERT_EQ(std::u16string(s.c_str()), mirror);
        break;
    }
  }

  static std::u16string to_u16(std::uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }

  std::mt19937 random;
  std::vector<text> strings;
  std::vector<std::u16string> mirrors;
};

TEST(XstringReplace, RandomEditsOverSharingStringsMatchStandardStrings) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    random_edits(seed).run(10000);
  }
}

}  // namespace
