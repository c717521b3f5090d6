// Both two-lane implementations against plain double arithmetic, bit for bit:
// the SSE2 one is what x86 builds run, the scalar one what other processors
// run, and the analysis relies on either giving the scalar results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "analysis/lanes_scalar.h"
#if defined(__SSE2__)
#include "analysis/lanes_sse2.h"
#endif

namespace {

enum class operation {
  add,
  subtract,
  multiply,
  divide,
  square_root,
  lesser,
  greater,
  select_less,
  less,
  more,
  equal,
  sign_spread,
  abs_by_mask
};

std::uint64_t bits(double value) {
  std::uint64_t raw;
  std::memcpy(&raw, &value, sizeof raw);
  return raw;
}

constexpr std::uint64_t all = ~std::uint64_t{0};

// What one lane must hold, as bits, computed with plain doubles.
std::uint64_t expected(operation op, double a, double b) {
  switch (op) {
    case operation::add:
      return bits(a + b);
    case operation::subtract:
      return bits(a - b);
    case operation::multiply:
      return bits(a * b);
    case operation::divide:
      return bits(a / b);
    case operation::square_root:
      return bits(std::sqrt(a));
    case operation::lesser:
      return bits(a < b ? a : b);
    case operation::greater:
      return bits(a > b ? a : b);
    case operation::select_less:
      return bits(a < b ? a : b);
    case operation::less:
      return a < b ? all : 0;
    case operation::more:
      return a > b ? all : 0;
    case operation::equal:
      return a == b ? all : 0;
    case operation::sign_spread:
      return std::signbit(a) ? all : 0;
    case operation::abs_by_mask:
      return bits(std::fabs(a));
  }
  return 0;
}

// The same through an implementation's lane_pair, both lanes at once.
template <typename lane_pair>
void lanes_result(operation op, lane_pair a, lane_pair b, std::uint64_t out[2]) {
  const auto sign_bit = decltype(a < b){INT64_MIN, INT64_MIN};
  lane_pair result;
  switch (op) {
    case operation::add:
      result = a + b;
      break;
    case operation::subtract:
      result = a - b;
      break;
    case operation::multiply:
      result = a * b;
      break;
    case operation::divide:
      result = a / b;
      break;
    case operation::square_root:
      result = square_root(a);
      break;
    case operation::lesser:
      result = lesser(a, b);
      break;
    case operation::greater:
      result = greater(a, b);
      break;
    case operation::select_less:
      result = select(a < b, a, b);
      break;
    case operation::less:
      result = lanes_of(a < b);
      break;
    case operation::more:
      result = lanes_of(a > b);
      break;
    case operation::equal:
      result = lanes_of(a == b);
      break;
    case operation::sign_spread:
      result = lanes_of(sign_spread(bits_of(a)));
      break;
    case operation::abs_by_mask:
      result = lanes_of(bits_of(a) & ~sign_bit);
      break;
  }
  out[0] = bits(result[0]);
  out[1] = bits(result[1]);
}

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double tiny = std::numeric_limits<double>::denorm_min();

struct operand_pair {
  double a, b;
};

// Ordinary values, signed zeros, NaN on either side, infinities, subnormals.
const operand_pair operands[] = {
    {1.5, -2.25}, {-3.0, 7.0},   {0.0, -0.0},  {-0.0, 0.0}, {nan, 1.0},      {1.0, nan},       {-inf, inf},
    {inf, 2.0},   {tiny, -tiny}, {-tiny, 0.0}, {4.0, 4.0},  {1e308, 1e-308}, {-1e-300, 1e300}, {2.0, 0.0},
};

const operation operations[] = {operation::add,        operation::subtract,    operation::multiply,
                                operation::divide,     operation::square_root, operation::lesser,
                                operation::greater,    operation::select_less, operation::less,
                                operation::more,       operation::equal,       operation::sign_spread,
                                operation::abs_by_mask};

// Every operation on every pair of operands, each pair in lane 0 with the
// next pair in lane 1, so that the lanes never hold the same case.
template <typename lane_pair>
void check_against_doubles(const char* implementation) {
  constexpr std::size_t count = sizeof operands / sizeof operands[0];
  for (const operation op : operations) {
    for (std::size_t i = 0; i < count; ++i) {
      const operand_pair& first = operands[i];
      const operand_pair& second = operands[(i + 1) % count];
      std::uint64_t got[2];
      lanes_result(op, lane_pair{first.a, second.a}, lane_pair{first.b, second.b}, got);
      EXPECT_EQ(got[0], expected(op, first.a, first.b))
          << implementation << " operation " << static_cast<int>(op) << ", lane 0, a " << first.a << " b "
          << first.b;
      EXPECT_EQ(got[1], expected(op, second.a, second.b))
          << implementation << " operation " << static_cast<int>(op) << ", lane 1, a " << second.a << " b "
          << second.b;
    }
  }
}

// Moving values between lanes and memory: which lane ends up where.
template <typename lane_pair>
void check_lane_moves(const char* implementation, lane_pair (*load)(const double*),
                      void (*store)(double*, lane_pair)) {
  const lane_pair a{1.0, 2.0}, b{3.0, 4.0};
  const struct {
    const char* name;
    lane_pair result;
    double first, second;
  } cases[] = {
      {"first_lanes", first_lanes(a, b), 1.0, 3.0},
      {"second_lanes", second_lanes(a, b), 2.0, 4.0},
      {"swap_lanes", swap_lanes(a), 2.0, 1.0},
      {"broadcast", lane_pair{5.0}, 5.0, 5.0},
      {"zero", lane_pair{}, 0.0, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.result[0], c.first) << implementation << " " << c.name;
    EXPECT_EQ(c.result[1], c.second) << implementation << " " << c.name;
  }
  double memory[3] = {1.0, 2.0, 3.0};
  store(memory + 1, load(memory) * lane_pair{6.0, 7.0});
  EXPECT_EQ(memory[0], 1.0) << implementation;
  EXPECT_EQ(memory[1], 6.0) << implementation;
  EXPECT_EQ(memory[2], 14.0) << implementation;
}

TEST(Lanes, ScalarLanesGiveTheResultsOfPlainDoubles) {
  check_against_doubles<scalar_lanes::lane_pair>("scalar");
  check_lane_moves("scalar", scalar_lanes::load_lanes, scalar_lanes::store_lanes);
}

#if defined(__SSE2__)
TEST(Lanes, Sse2LanesGiveTheResultsOfPlainDoubles) {
  check_against_doubles<sse2_lanes::lane_pair>("sse2");
  check_lane_moves("sse2", sse2_lanes::load_lanes, sse2_lanes::store_lanes);
}
#endif

}  // namespace
