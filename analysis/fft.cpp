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
  for (std::uint32_t k = 0; k < half_size; ++k) work[k] = {input[2 * k], input[2 * k + 1]};
}

void FFT::complex_transform(bool forward, const complex_value* source,
                            complex_value* destination) const {
  const double scale = forward ? 0.5 / half_size : 2.0;
  for (std::uint32_t i = 0; i < half_size; ++i) {
    const complex_value& from = source[bit_reverse[i]];
    destination[i] = {scale * from.re, scale * from.im};
  }

  for (std::uint32_t span = 2; span <= half_size; span <<= 1) {
    const double angle = (forward ? two_pi : -two_pi) / span;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const std::uint32_t half = span / 2;
    // The first twiddle is exactly 1, so its butterflies need no product.
    for (std::uint32_t o = 0; o < half_size; o += span) {
      const lane_pair a = load_lanes(destination[o]);
      const lane_pair b = load_lanes(destination[o + half]);
      store_lanes(destination[o], a + b);
      store_lanes(destination[o + half], a - b);
    }
    double wr = c;
    double wi = s;
    for (std::uint32_t k = 1; k < half; ++k) {
      // w b = (wr b.re - wi b.im, wr b.im + wi b.re), lane by lane.
      const lane_pair w_re = {wr, wr};
      const lane_pair w_im = {-wi, wi};
      for (std::uint32_t o = k; o < half_size; o += span) {
        const lane_pair a = load_lanes(destination[o]);
        const lane_pair b = load_lanes(destination[o + half]);
        const lane_pair t = w_re * b + w_im * lane_pair{b[1], b[0]};
        store_lanes(destination[o], a + t);
        store_lanes(destination[o + half], a - t);
      }
      rotate(wr, wi, c, s);
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
