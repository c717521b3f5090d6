// Where an xstring keeps its text: inline or on the heap, shared until written,
// borrowed, and the buffers given back with the size they were allocated with.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cp/xstring.h"
#include "format_into.h"

namespace {

using text = cp::xstring<WCHAR>;
using source = cp::text_source<WCHAR>;

std::u16string contents(const text& s) { return std::u16string(s.data(), s.length()); }

bool points_inside(const void* p, const void* object, std::size_t size) {
  const auto* byte = static_cast<const char*>(p);
  const auto* start = static_cast<const char*>(object);
  return byte >= start && byte < start + size;
}

// Records the size of every buffer a string takes and gives back.
struct buffer_record {
  std::vector<std::size_t> allocated;
  std::vector<std::size_t> freed;
};
buffer_record record;

template <class T>
struct recording_allocator {
  using value_type = T;
  recording_allocator() = default;
  template <class U>
  recording_allocator(const recording_allocator<U>&) {}
  T* allocate(std::size_t n) {
    record.allocated.push_back(n);
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* buffer, std::size_t n) {
    record.freed.push_back(n);
    std::allocator<T>().deallocate(buffer, n);
  }
  bool operator==(const recording_allocator&) const { return true; }
  bool operator!=(const recording_allocator&) const { return false; }
};

TEST(XstringStorage, ShortTextIsInlineAndLongerTextGetsExactlyItsSizeOnTheHeap) {
  const struct {
    std::u16string initial;
    text::storage_kind kind;
    std::uint32_t capacity;
  } cases[] = {
      {u"", text::inline_storage, 9},
      {u"eight un", text::inline_storage, 9},
      {u"nine unit", text::shared_storage, 10},
      {u"twenty units of text", text::shared_storage, 21},
  };
  for (const auto& c : cases) {
    text s(c.initial.c_str());
    EXPECT_EQ(contents(s), c.initial);
    EXPECT_EQ(s.kind(), c.kind) << c.initial.size();
    EXPECT_EQ(s.capacity(), c.capacity) << c.initial.size();
    EXPECT_EQ(points_inside(s.data(), &s, sizeof s), c.kind == text::inline_storage);
    EXPECT_EQ(s.c_str()[s.length()], 0);
  }
}

TEST(XstringStorage, AppendingGrowsTheBufferByDoubling) {
  text s(u"nine unit");
  std::vector<std::uint32_t> capacities{s.capacity()};
  while (s.length() < 100) {
    s.replace(s.length(), 0, source(u"x"));
    if (s.capacity() != capacities.back()) capacities.push_back(s.capacity());
  }
  EXPECT_EQ(capacities, (std::vector<std::uint32_t>{10, 20, 40, 80, 160}));
  EXPECT_EQ(contents(s), u"nine unit" + std::u16string(91, u'x'));
}

TEST(XstringStorage, HeapTextIsSharedUntilEitherStringWrites) {
  enum class writer { original, copy };
  const struct {
    writer who;
    void (*write)(text&);
    std::u16string written;
  } cases[] = {
      {writer::original, [](text& s) { s.replace(0, 1, source(u"S")); }, u"Shared heap text"},
      {writer::copy, [](text& s) { s.replace(0, 1, source(u"S")); }, u"Shared heap text"},
      {writer::copy, [](text& s) { s.replace(6, 10, source(u"")); }, u"shared"},
      {writer::original, [](text& s) { format_into(s, false, u"%d", 42); }, u"42"},
  };
  for (const auto& c : cases) {
    text original(u"shared heap text");
    text copy;
    copy.assign(text::string_source(original));
    ASSERT_EQ(copy.data(), original.data());
    ASSERT_EQ(copy.kind(), text::shared_storage);

    text& writing = c.who == writer::original ? original : copy;
    text& other = c.who == writer::original ? copy : original;
    const WCHAR* shared_data = other.data();
    c.write(writing);
    EXPECT_EQ(std::u16string(writing.c_str()), c.written);
    EXPECT_NE(writing.data(), other.data());
    EXPECT_EQ(other.data(), shared_data);
    EXPECT_EQ(std::u16string(other.c_str()), u"shared heap text");
  }
}

TEST(XstringStorage, InlineTextIsAlwaysCopied) {
  text original(u"short");
  text copy(original);
  EXPECT_NE(copy.data(), original.data());
  EXPECT_TRUE(points_inside(copy.data(), &copy, sizeof copy));
  original.replace(0, 5, source(u"other"));
  EXPECT_EQ(contents(copy), u"short");
}

TEST(XstringStorage, FrontRemovalAdvancesIntoTheBufferWhichIsFreedWithItsFullSize) {
  using recorded = cp::xstring<WCHAR, recording_allocator<WCHAR>>;
  record = buffer_record();
  {
    recorded s(u"0123456789abcdefghij");
    const WCHAR* start = s.data();
    s.replace(0, 5, source(u""));
    EXPECT_EQ(s.data(), start + 5);
    EXPECT_EQ(s.capacity(), 16u);
    EXPECT_EQ(std::u16string(s.c_str()), u"56789abcdefghij");
    EXPECT_TRUE(record.freed.empty());
  }
  EXPECT_EQ(record.allocated, std::vector<std::size_t>{21});
  EXPECT_EQ(record.freed, std::vector<std::size_t>{21});
}

TEST(XstringStorage, TailRemovalLeavesTheUnitsAndCStrTerminatesOnAPrivateCopy) {
  text original(u"abcdefghijkl");
  text keeper(original);
  original.replace(8, 4, source(u""));
  EXPECT_EQ(original.length(), 8u);
  EXPECT_EQ(original.data(), keeper.data());
  EXPECT_EQ(original.data()[8], u'i');

  const WCHAR* terminated = original.c_str();
  EXPECT_EQ(std::u16string(terminated), u"abcdefgh");
  EXPECT_NE(terminated, keeper.data());
  EXPECT_EQ(contents(keeper), u"abcdefghijkl");

  // Alone in its buffer, the string terminates in place.
  text alone(u"abcdefghijkl");
  const WCHAR* before = alone.data();
  alone.replace(10, 2, source(u""));
  EXPECT_EQ(alone.c_str(), before);
  EXPECT_EQ(std::u16string(before), u"abcdefghij");
}

TEST(XstringStorage, BorrowedTextIsWrittenOnlyWhenWritable) {
  std::u16string storage = u"borrowed text";
  text readonly;
  ASSERT_TRUE(readonly.try_adopt(source(storage.data(), 8, 14, text::borrowed_readonly)));
  readonly.replace(0, 1, source(u"B"));
  EXPECT_EQ(std::u16string(readonly.c_str()), u"Borrowed");
  EXPECT_EQ(readonly.kind(), text::inline_storage);
  EXPECT_EQ(storage, u"borrowed text");

  // Writable borrowed storage is edited where it lies: a front removal moves the
  // units rather than the pointer, another string's text is copied in as units
  // while it fits, and a longer text moves to storage of the string's own.
  text writable;
  ASSERT_TRUE(writable.try_adopt(source(storage.data(), 8, 14, text::borrowed_writable)));
  writable.replace(0, 3, source(u""));
  EXPECT_EQ(std::u16string(writable.c_str()), u"rowed");
  text heap(u"thirteen unit");
  writable.assign(text::string_source(heap));
  EXPECT_EQ(writable.data(), storage.data());
  EXPECT_EQ(storage, u"thirteen unit");
  writable.replace(0, 0, source(u"++"));
  EXPECT_NE(writable.data(), storage.data());
  EXPECT_EQ(storage, u"thirteen unit");
}

// Assigning a string to itself leaves its text, its kind of storage and where the text
// lies as they were, whatever kind of storage holds it.
TEST(XstringStorage, SelfAssignmentKeepsTextAndStorage) {
  std::u16string storage = u"borrowed text";
  text kinds[4] = {text(u"short"), text(u"twenty units of text")};
  ASSERT_TRUE(kinds[2].try_adopt(source(storage.data(), 8, 14, text::borrowed_readonly)));
  ASSERT_TRUE(kinds[3].try_adopt(source(storage.data(), 8, 14, text::borrowed_writable)));
  for (int i = 0; i < 4; ++i) {
    text& s = kinds[i];
    const std::u16string before = contents(s);
    const text::storage_kind kind = s.kind();
    const WCHAR* data = s.data();
    const text& same = s;
    s = same;
    EXPECT_EQ(contents(s), before) << i;
    EXPECT_EQ(s.kind(), kind) << i;
    EXPECT_EQ(s.data(), data) << i;
  }
}

// Two strings must never both write the same storage: a copy of a writable
// borrowed string takes the units, while a read-only one may go on sharing.
TEST(XstringStorage, OnlyAReadOnlyBorrowedStringIsCopiedBySharing) {
  const struct {
    text::storage_kind kind;
    bool copy_shares;
  } cases[] = {
      {text::borrowed_readonly, true},
      {text::borrowed_writable, false},
  };
  for (const auto& c : cases) {
    std::u16string storage = u"|0 and room to spare";
    text borrowed;
    ASSERT_TRUE(borrowed.try_adopt(source(storage.data(), 2, 21, c.kind)));
    text copy(borrowed);
    EXPECT_EQ(copy.data() == storage.data(), c.copy_shares) << c.kind;
    format_into(borrowed, false, u"%d", 5);
    EXPECT_EQ(contents(borrowed), u"5");
    EXPECT_EQ(contents(copy), u"|0") << c.kind;
  }
}

TEST(XstringStorage, ASourceInTheUnusedStorageIsReadBeforeItIsOverwritten) {
  std::u16string storage = u"abc?efgh";
  text writable;
  ASSERT_TRUE(writable.try_adopt(source(storage.data(), 3, 9, text::borrowed_writable)));
  writable.replace(0, 1, source(storage.data() + 4, 4));
  EXPECT_EQ(contents(writable), u"efghbc");
}

TEST(XstringStorage, ReplacingTheWholeTextByPartOfItAdoptsItWithoutCopying) {
  text s(u"a sixteen unit t");
  const WCHAR* start = s.data();
  s.replace(0, s.length(), source(start + 2, 7));
  EXPECT_EQ(s.data(), start + 2);
  EXPECT_EQ(s.capacity(), 15u);
  EXPECT_EQ(contents(s), u"sixteen");
}

TEST(XstringStorage, OversizedResultsThrowAndLeaveTheStringUnchanged) {
  const WCHAR units[4] = u"xyz";
  const struct {
    std::uint32_t pos, n, source_length;
  } cases[] = {
      {0, 0, 0x7ffffffc},
      {3, 0, 0x7ffffffc},
      {0, 3, 0x7fffffff},
      {1, 1, 0xffffffff},
  };
  for (const auto& c : cases) {
    text s(u"abc");
    try {
      s.replace(c.pos, c.n, source(units, c.source_length, c.source_length, -1));
      ADD_FAILURE() << "no length_error for " << c.source_length;
    } catch (const std::length_error& e) {
      EXPECT_STREQ(e.what(), "xstring");
    }
    EXPECT_EQ(contents(s), u"abc");
    EXPECT_EQ(s.kind(), text::inline_storage);
  }

  text s(u"abc");
  EXPECT_THROW(s.replace(2, 2, source(u"x")), std::out_of_range);
  EXPECT_EQ(contents(s), u"abc");
}

TEST(XstringStorage, AnAllocationOverTheLimitThrowsBadAllocationAndKeepsTheString) {
  std::u16string storage = u"view";
  text s;
  ASSERT_TRUE(s.try_adopt(source(storage.data(), 4, 0x80000000, text::borrowed_readonly)));
  try {
    format_into(s, true, u"%d", 42);
    ADD_FAILURE() << "no bad_alloc";
  } catch (const std::bad_alloc& e) {
    EXPECT_STREQ(e.what(), "bad allocation");
  }
  EXPECT_EQ(s.data(), storage.data());
  EXPECT_EQ(s.kind(), text::borrowed_readonly);
  EXPECT_EQ(contents(s), u"view");
}

}  // namespace
