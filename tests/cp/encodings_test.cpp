// The encoding registry after start-up, and the code-unit operations, checked
// against the standard string's searches.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cp/code_unit_traits_for.h"
#include "cp/encodings.h"
#include "cp/registry.h"

namespace {

TEST(Encodings, RegistryHoldsTheThreeEncodingsInKeyOrder) {
  std::vector<std::int32_t> ids;
  for (const auto& [id, encoding] : cp::encodings_by_id) {
    ids.push_back(id);
    EXPECT_EQ(encoding->id(), id);
  }
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 2, 3}));

  std::vector<std::string> names;
  for (const auto& [name, encoding] : cp::encodings_by_name) {
    names.push_back(name);
    EXPECT_EQ(name, encoding->name());  // keyed by the encoding's own text
  }
  EXPECT_EQ(names, (std::vector<std::string>{"utf16", "utf32", "utf8"}));

  EXPECT_EQ(cp::encodings_by_id.at(1), &cp::utf8_e::instance());
  EXPECT_EQ(cp::encodings_by_name.at("utf16"), &cp::utf16_e::instance());
  EXPECT_EQ(cp::registered<cp::utf8_e>, 1);
  EXPECT_EQ(cp::registered<cp::utf16_e>, 1);
  EXPECT_EQ(cp::registered<cp::utf32_e>, 1);
  EXPECT_EQ(cp::encodings_by_name.count("invalid"), 0u);
}

std::uint32_t as_result(std::size_t position) {
  return position == std::string::npos ? cp::not_found : static_cast<std::uint32_t>(position);
}

// Random short texts over a small alphabet, so that matches, near misses and
// every boundary of pos come up often.
template <class Unit>
void check_searches_against_the_standard_string(std::uint32_t seed) {
  using string = std::basic_string<Unit>;
  const auto& traits = cp::code_unit_traits_for<Unit>::instance();
  std::mt19937 random(seed);
  auto some_text = [&](std::size_t longest) {
    string made(std::uniform_int_distribution<std::size_t>(0, longest)(random), Unit('a'));
    for (Unit& unit : made) unit = static_cast<Unit>('a' + random() % 3);
    return made;
  };
  for (int round = 0; round < 3000; ++round) {
    const string text = some_text(8);
    const string pattern = some_text(3);
    const std::uint32_t pos = random() % (text.size() + 3);
    const std::uint32_t tlen = static_cast<std::uint32_t>(text.size());
    const std::uint32_t plen = static_cast<std::uint32_t>(pattern.size());
    const Unit* t = text.data();
    const Unit* p = pattern.data();
    ASSERT_EQ(traits.find(p, plen, t, pos, tlen), as_result(text.find(pattern, pos)));
    ASSERT_EQ(traits.rfind(p, plen, t, pos, tlen), as_result(text.rfind(pattern, pos)));
    ASSERT_EQ(traits.find_first_of(p, plen, t, pos, tlen), as_result(text.find_first_of(pattern, pos)));
    ASSERT_EQ(traits.find_first_not_of(p, plen, t, pos, tlen),
              as_result(text.find_first_not_of(pattern, pos)));
    ASSERT_EQ(traits.find_last_of(p, plen, t, pos, tlen), as_result(text.find_last_of(pattern, pos)));
    ASSERT_EQ(traits.find_last_not_of(p, plen, t, pos, tlen), as_result(text.find_last_not_of(pattern, pos)));
    const int expected_order = text.compare(pattern);
    ASSERT_EQ(traits.compare(t, tlen, p, plen), (expected_order > 0) - (expected_order < 0));
  }
}

TEST(CodeUnitTraits, SearchesAndComparisonFollowTheStandardString) {
  check_searches_against_the_standard_string<char>(11);
  check_searches_against_the_standard_string<char16_t>(12);
}

TEST(CodeUnitTraits, BytesOrderAsUnsignedAndCopiesCanReverse) {
  const auto& bytes = cp::code_unit_traits_for<char>::instance();
  EXPECT_EQ(bytes.compare("\x80", "\x7f", 1), 1);
  EXPECT_EQ(bytes.compare("abc", 3, "abcde", 5), -1);
  EXPECT_EQ(bytes.terminated_length("four\0five"), 4u);
  char reversed[3];
  bytes.copy_reversed(reversed, "abc", 3);
  EXPECT_EQ(std::string(reversed, 3), "cba");

  const auto& units32 = cp::code_unit_traits_for<unsigned int>::instance();
  const unsigned int big[] = {0x80000000u}, small[] = {1u};
  EXPECT_EQ(units32.compare(big, small, 1), 1);
}

TEST(CodeUnitTraits, DoublesCompareAsNumbersAndNaNNeverMatches) {
  const auto& doubles = cp::code_unit_traits_for<double>::instance();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double negative_zero_ends[] = {1.5, nan, -0.0, 2.0};
  const double zero_ends[] = {1.5, 0.0};
  EXPECT_EQ(doubles.terminated_length(negative_zero_ends), 2u);
  EXPECT_EQ(doubles.terminated_length(zero_ends), 1u);

  const double left[] = {1.0, nan, 3.0};
  const double right[] = {1.0, 7.0, 3.0};
  EXPECT_EQ(doubles.compare(left, right, 3), 0);
  EXPECT_EQ(doubles.compare(right, left, 3), 0);
  const double larger[] = {1.0, 7.0, 4.0};
  EXPECT_EQ(doubles.compare(right, larger, 3), -1);

  const double nan_pattern[] = {nan};
  const double three[] = {3.0};
  EXPECT_EQ(doubles.find(nan_pattern, 1, left, 0, 3), cp::not_found);
  EXPECT_EQ(doubles.find_first_of(nan_pattern, 1, left, 0, 3), cp::not_found);
  EXPECT_EQ(doubles.find_first_not_of(nan_pattern, 1, left, 0, 3), 0u);
  EXPECT_EQ(doubles.find(three, 1, left, 0, 3), 2u);
  EXPECT_EQ(doubles.find_last_of(three, 1, left, 100, 3), 2u);
}

}  // namespace
