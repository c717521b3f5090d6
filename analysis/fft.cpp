#include "analysis/fft.h"

#include <cmath>
#include <memory>

#include "analysis/lane_pair.h"
#include "analysis/polar.h"

namespace {

constexpr double two_pi = 6.283185307179586;

// Entry j of the result is j with its log2(size) low bits in reverse order.
std::vector<std::int32_t> reversal_table(std::uint32_t size) {
  int bits = -1;
  for (std::uint32_t rest = size; rest != 0; rest >>= 1) ++bits;
  std::vector<std::int32_t> table(size, 0);
  for (std::uint32_t j = 0; j < size; ++j) {
    std::uint32_t reversed = 0;
    for (int bit = 0; bit < bits; ++bit) reversed = (reversed << 1) | ((j >> bit) & 1u);
    table[j] = static_cast<std::int32_t>(reversed);
  }
  return table;
}

// Turns the twiddle (wr, wi) one step further round the unit circle. Repeated
// rotation costs one cos and one sin per pass instead of one per point.
inline void rotate(double& wr, double& wi, double c, double s) {
  const double next_wr = wr * c - wi * s;
  wi = wi * c + wr * s;
  wr = next_wr;
}

// The twiddle of a butterfly stage, e^(+-2 pi i k / span) for k = 1, 2, ...
// from the rotation recurrence, and its product with a complex value.
struct twiddle {
  double wr, wi;  // the current twiddle
  double c, s;    // one rotation

  // w b = (wr b.re - wi b.im, wr b.im + wi b.re), lane by lane.
  lane_pair times(lane_pair b) const { return lane_pair{wr, wr} * b + lane_pair{-wi, wi} * swap_lanes(b); }
  void advance() { rotate(wr, wi, c, s); }
};

// A stage's twiddle for k = 1: the recurrence's first step from (1, 0) gives
// exactly (c, s).
twiddle first_twiddle(bool forward, std::uint32_t span) {
  const double angle = (forward ? two_pi : -two_pi) / span;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {c, s, c, s};
}

}  // namespace

FFT::FFT(std::uint32_t n) : half_size(n >> 1), bit_reverse(reversal_table(n >> 1)) {}

void FFT::transform(const std::vector<double>& input, std::vector<spectrum_bin>& output) const {
  // The temporaries live only for this call, so the object is never written
  // after construction. The result has one entry more, which unpack uses to
  // close the ring.
  const std::unique_ptr<complex_value[]> work(new complex_value[half_size]);
  const std::unique_ptr<complex_value[]> result(new complex_value[half_size + 1]);
  pack(input, work.get());
  complex_transform(true, work.get(), result.get());
  unpack(result.get(), output);
}

void FFT::pack(const std::vector<double>& input, complex_value* work) const {
  for (std::uint32_t k = 0; k < half_size; ++k) {
    const std::size_t even = 2 * std::size_t{k};
    work[k] = {input[even], input[even + 1]};
  }
}

void FFT::complex_transform(bool forward, const complex_value* source, complex_value* destination) const {
  const double scale = forward ? 0.5 / half_size : 2.0;
  const lane_pair scales = {scale, scale};
  std::uint32_t span = 2;
  if (half_size >= 4) {
    // The bit-reversal copy and the stages of spans 2 and 4 together, four
    // points at a time in registers: the same butterflies in the same order
    // per point, with one pass over memory instead of three.
    const twiddle quarter = first_twiddle(forward, 4);
    for (std::uint32_t i = 0; i < half_size; i += 4) {
      const lane_pair x0 = scales * load_lanes(source[bit_reverse[i]]);
      const lane_pair x1 = scales * load_lanes(source[bit_reverse[i + 1]]);
      const lane_pair x2 = scales * load_lanes(source[bit_reverse[i + 2]]);
      const lane_pair x3 = scales * load_lanes(source[bit_reverse[i + 3]]);
      const lane_pair y0 = x0 + x1, y1 = x0 - x1;  // span 2
      const lane_pair y2 = x2 + x3, y3 = x2 - x3;
      const lane_pair t = quarter.times(y3);  // span 4
      store_lanes(destination[i], y0 + y2);
      store_lanes(destination[i + 1], y1 + t);
      store_lanes(destination[i + 2], y0 - y2);
      store_lanes(destination[i + 3], y1 - t);
    }
    span = 8;
  } else {
    for (std::uint32_t i = 0; i < half_size; ++i)
      store_lanes(destination[i], scales * load_lanes(source[bit_reverse[i]]));
  }

  for (; span <= half_size; span <<= 1) {
    const std::uint32_t half = span / 2;
    // The first twiddle is exactly 1, so its butterflies need no product.
    for (std::uint32_t o = 0; o < half_size; o += span) {
      const lane_pair a = load_lanes(destination[o]);
      const lane_pair b = load_lanes(destination[o + half]);
      store_lanes(destination[o], a + b);
      store_lanes(destination[o + half], a - b);
    }
    twiddle w = first_twiddle(forward, span);
    for (std::uint32_t k = 1; k < half; ++k) {
      for (std::uint32_t o = k; o < half_size; o += span) {
        const lane_pair a = load_lanes(destination[o]);
        const lane_pair t = w.times(load_lanes(destination[o + half]));
        store_lanes(destination[o], a + t);
        store_lanes(destination[o + half], a - t);
      }
      w.advance();
    }
  }
}

void FFT::unpack(complex_value* result, std::vector<spectrum_bin>& output) const {
  const std::uint32_t h = half_size;
  result[h] = result[0];
  const double angle = two_pi / (2.0 * h);
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  double wr = 1.0;
  double wi = 0.0;
  for (std::uint32_t i = 0; i <= h; ++i) {
    const complex_value a = result[i];
    const complex_value b = result[h - i];
    const double sum = a.im + b.im;
    const double diff = a.re - b.re;
    double re = (a.re + b.re + wr * sum + wi * diff) * 0.5;
    double im = (a.im - b.im - wr * diff + wi * sum) * 0.5;
    // Inside the band a bin also carries the energy of its mirror image above
    // n/2; the two ends have no mirror and keep their single share.
    if (i > 0 && i < h) {
      re *= 2.0;
      im *= 2.0;
    }
    output[i] = {re, im};  // Cartesian until the pass below
    rotate(wr, wi, c, s);
  }
  // To polar form in a pass of its own, which keeps the phase's arithmetic
  // out of the twiddle recurrence's loop.
  to_polar(output.data(), h + 1);
}
