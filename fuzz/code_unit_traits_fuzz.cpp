// libFuzzer target: the code-unit traits' searches, comparisons and terminated
// length, for each of the four unit types, against the standard strings.
//
// The input picks a unit type, a text, a pattern (a piece of the text, or units
// of its own) and a position. Units are drawn from a few values, so that they
// match often, or from any bit pattern. Units of char, WCHAR and unsigned int
// are looked for in the standard string of the same width. A double has no
// standard string, so each sequence of doubles is stood for by a string of
// 32-bit keys that keeps what the traits look at: for the searches, equal keys
// for equal values (both zeros alike, and key 0 for zero, the terminator) and a
// key of its own for every NaN, which equals nothing; for the comparisons,
// keys in the order of the values, with a NaN and the unit it is compared
// with given equal keys, since neither is less than the other.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "cp/code_unit_traits_for.h"
#include "fuzz/require.h"

namespace {

template <class T>
std::vector<T> few_values() {
  if constexpr (std::is_same_v<T, double>) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    return {0.0, -0.0, 1.0, -1.0, nan, -nan, infinity, -infinity, 1e-300};
  } else {
    // Zero, small values, and units whose top bit is set, which order
    // differently as signed and as unsigned numbers.
    const auto top = std::numeric_limits<std::make_unsigned_t<T>>::max();
    return {T(0), T(1), T(2), static_cast<T>(top / 2 + 1), static_cast<T>(top)};
  }
}

template <class T>
std::vector<T> consume_units(FuzzedDataProvider& input, std::size_t longest) {
  std::vector<T> units(input.ConsumeIntegralInRange<std::size_t>(0, longest));
  const std::vector<T> values = few_values<T>();
  const bool any_bits = input.ConsumeIntegralInRange(0, 3) == 0;
  for (T& unit : units) {
    if (any_bits) {
      const std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
      std::memcpy(&unit, &bits, sizeof(T));  // the low bytes, on this little-endian machine
    } else {
      unit = values[input.ConsumeIntegralInRange<std::size_t>(0, values.size() - 1)];
    }
  }
  return units;
}

// The standard string of the same width.
template <class T>
auto standard_string(const std::vector<T>& units) {
  if constexpr (std::is_same_v<T, unsigned int>) {
    return std::u32string(units.begin(), units.end());
  } else {
    return std::basic_string<T>(units.begin(), units.end());
  }
}

// Keys for the searches: equal keys for equal doubles.
class equality_keys {
 public:
  std::u32string of(const std::vector<double>& values) {
    std::u32string keys;
    for (double value : values) keys += key(value);
    return keys;
  }

 private:
  char32_t key(double value) {
    if (std::isnan(value)) return next_key++;
    if (value == 0) return 0;
    const auto [place, added] = keys.try_emplace(value, next_key);
    if (added) ++next_key;
    return place->second;
  }

  std::map<double, char32_t> keys;  // never holds a NaN, so its order is sound
  char32_t next_key = 1;
};

// The strings whose searches stand for those of the text and the pattern.
template <class T>
auto search_strings(const std::vector<T>& text, const std::vector<T>& pattern) {
  if constexpr (std::is_same_v<T, double>) {
    equality_keys keys;
    const std::u32string text_keys = keys.of(text);
    return std::make_pair(text_keys, keys.of(pattern));
  } else {
    return std::make_pair(standard_string(text), standard_string(pattern));
  }
}

// The strings whose comparison stands for that of p and q.
template <class T>
auto order_strings(const std::vector<T>& p, const std::vector<T>& q) {
  if constexpr (std::is_same_v<T, double>) {
    std::map<double, char32_t> ranks;
    for (const auto* values : {&p, &q}) {
      for (double value : *values) {
        if (!std::isnan(value)) ranks.emplace(value, 0);
      }
    }
    char32_t rank = 1;
    for (auto& entry : ranks) entry.second = rank++;
    std::u32string p_keys, q_keys;
    for (double value : p) p_keys += std::isnan(value) ? 0 : ranks[value];
    for (double value : q) q_keys += std::isnan(value) ? 0 : ranks[value];
    for (std::size_t i = 0; i < std::min(p.size(), q.size()); ++i) {
      if (std::isnan(p[i]) || std::isnan(q[i])) p_keys[i] = q_keys[i] = 0;
    }
    return std::make_pair(p_keys, q_keys);
  } else {
    return std::make_pair(standard_string(p), standard_string(q));
  }
}

std::uint32_t as_result(std::size_t position) {
  return position == std::string::npos ? cp::not_found : static_cast<std::uint32_t>(position);
}

int sign(int value) { return (value > 0) - (value < 0); }

template <class T>
void check_unit_type(FuzzedDataProvider& input) {
  const cp::code_unit_traits& traits = cp::code_unit_traits_for<T>::instance();
  const std::vector<T> text = consume_units<T>(input, 64);
  std::vector<T> pattern;
  if (input.ConsumeBool()) {
    const std::size_t offset = input.ConsumeIntegralInRange<std::size_t>(0, text.size());
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, text.size() - offset);
    pattern.assign(text.begin() + offset, text.begin() + offset + length);
  } else {
    pattern = consume_units<T>(input, 8);
  }
  const std::uint32_t pos = input.ConsumeBool()
                                ? input.ConsumeIntegralInRange<std::uint32_t>(0, text.size() + 2)
                                : input.ConsumeIntegral<std::uint32_t>();
  const auto tlen = static_cast<std::uint32_t>(text.size());
  const auto plen = static_cast<std::uint32_t>(pattern.size());

  const auto [t, p] = search_strings(text, pattern);
  require(traits.find(pattern.data(), plen, text.data(), pos, tlen) == as_result(t.find(p, pos)), "find");
  require(traits.rfind(pattern.data(), plen, text.data(), pos, tlen) == as_result(t.rfind(p, pos)), "rfind");
  require(traits.find_first_of(pattern.data(), plen, text.data(), pos, tlen) ==
              as_result(t.find_first_of(p, pos)),
          "find_first_of");
  require(traits.find_first_not_of(pattern.data(), plen, text.data(), pos, tlen) ==
              as_result(t.find_first_not_of(p, pos)),
          "find_first_not_of");
  require(
      traits.find_last_of(pattern.data(), plen, text.data(), pos, tlen) == as_result(t.find_last_of(p, pos)),
      "find_last_of");
  require(traits.find_last_not_of(pattern.data(), plen, text.data(), pos, tlen) ==
              as_result(t.find_last_not_of(p, pos)),
          "find_last_not_of");

  const auto [a, b] = order_strings(text, pattern);
  const std::uint32_t common = std::min(tlen, plen);
  using standard_traits = typename decltype(a)::traits_type;
  require(traits.compare(text.data(), pattern.data(), common) ==
              sign(standard_traits::compare(a.data(), b.data(), common)),
          "compare over a count");
  require(traits.compare(text.data(), tlen, pattern.data(), plen) == sign(a.compare(b)),
          "compare of two lengths");

  std::vector<T> terminated = text;
  terminated.push_back(T(0));
  require(traits.terminated_length(terminated.data()) ==
              standard_traits::length(search_strings(terminated, pattern).first.c_str()),
          "terminated_length");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      check_unit_type<char>(input);
      break;
    case 1:
      check_unit_type<WCHAR>(input);
      break;
    case 2:
      check_unit_type<unsigned int>(input);
      break;
    default:
      check_unit_type<double>(input);
      break;
  }
  return 0;
}
