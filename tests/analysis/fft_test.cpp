#include "analysis/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

std::vector<spectrum_bin> transformed(const std::vector<double>& frame) {
  std::vector<spectrum_bin> out(frame.size() / 2 + 1);
  FFT(static_cast<std::uint32_t>(frame.size())).transform(frame, out);
  return out;
}

// The plain O(n^2) DFT in extended precision, X_k = sum x_j e^(-2 pi i j k / n),
// with the angle reduced exactly through j k mod n.
std::vector<std::complex<long double>> direct_dft(const std::vector<double>& x) {
  const std::size_t n = x.size();
  std::vector<std::complex<long double>> roots(n);
  for (std::size_t m = 0; m < n; ++m)
    roots[m] = std::polar(1.0L, -2.0L * static_cast<long double>(pi) * m / n);
  std::vector<std::complex<long double>> X(n / 2 + 1);
  for (std::size_t k = 0; k <= n / 2; ++k)
    for (std::size_t j = 0; j < n; ++j) X[k] += static_cast<long double>(x[j]) * roots[j * k % n];
  return X;
}

// Each bin read back as the complex number magnitude * e^(i phase).
std::complex<double> as_complex(const spectrum_bin& bin) { return std::polar(bin.magnitude, bin.phase); }

TEST(FFT, AgreesWithDirectTransformForEverySize) {
  std::mt19937 random(4);
  std::uniform_real_distribution<double> sample(-1.0, 1.0);
  for (std::size_t n = 2; n <= 4096; n *= 2) {
    SCOPED_TRACE(n);
    std::vector<double> frame(n);
    for (double& x : frame) x = sample(random);
    const std::vector<spectrum_bin> out = transformed(frame);
    const std::vector<std::complex<long double>> X = direct_dft(frame);

    // A radix-2 transform's rounding error grows with the number of stages,
    // log2 n; the samples are at most 1, so so are the outputs.
    const double tolerance =
        16.0 * std::log2(static_cast<double>(n)) * std::numeric_limits<double>::epsilon();
    for (std::size_t k = 0; k <= n / 2; ++k) {
      // Magnitude 2|X|/n inside the band, |X|/n at the ends; phase -arg X.
      const long double scale = (k == 0 || k == n / 2) ? 1.0L / n : 2.0L / n;
      const std::complex<long double> expected = scale * std::conj(X[k]);
      const std::complex<double> got = as_complex(out[k]);
      EXPECT_NEAR(got.real(), static_cast<double>(expected.real()), tolerance) << "bin " << k;
      EXPECT_NEAR(got.imag(), static_cast<double>(expected.imag()), tolerance) << "bin " << k;
    }
    // A real frame has real end bins: phase 0 or +-pi.
    EXPECT_NEAR(std::sin(out[0].phase), 0.0, 1e-9);
    EXPECT_NEAR(std::sin(out[n / 2].phase), 0.0, 1e-9);
  }
}

TEST(FFT, PureTonesReadTheirAmplitudeOnTheirBin) {
  struct tone {
    std::size_t n;
    std::size_t bin;
    double amplitude;
  };
  const tone tones[] = {
      {1024, 0, 1.0},                    // a constant frame is a tone on bin 0
      {16, 0, -0.25},   {1024, 1, 0.5},  // cosines inside the band
      {1024, 100, 1.0}, {1024, 511, 0.75}, {8, 3, 2.0}, {1024, 512, 0.3},  // (-1)^j on the last bin
      {2, 1, 1.0},
  };
  for (const tone& t : tones) {
    SCOPED_TRACE(testing::Message() << "n " << t.n << " bin " << t.bin);
    std::vector<double> frame(t.n);
    for (std::size_t j = 0; j < t.n; ++j)
      frame[j] = t.amplitude * std::cos(2.0 * pi * static_cast<double>(t.bin * j % t.n) / t.n);
    const std::vector<spectrum_bin> out = transformed(frame);
    for (std::size_t k = 0; k <= t.n / 2; ++k) {
      const double expected = k == t.bin ? std::fabs(t.amplitude) : 0.0;
      EXPECT_NEAR(out[k].magnitude, expected, 1e-12) << "bin " << k;
    }
    if (t.bin == 0) {
      EXPECT_NEAR(std::sin(out[0].phase), 0.0, 1e-15);
    }
  }
}

TEST(FFT, BitReverseTableForSixteenPoints) {
  const FFT fft(16);
  EXPECT_EQ(fft.half_size, 8u);
  EXPECT_EQ(fft.bit_reverse, (std::vector<std::int32_t>{0, 4, 2, 6, 1, 5, 3, 7}));
}

TEST(FFT, BackwardComplexTransformUndoesForward) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  for (std::uint32_t n : {2u, 4u, 64u, 1024u}) {
    SCOPED_TRACE(n);
    const FFT fft(n);
    std::vector<FFT::complex_value> points(fft.half_size);
    for (auto& p : points) p = {value(random), value(random)};
    std::vector<FFT::complex_value> spectrum(fft.half_size);
    std::vector<FFT::complex_value> back(fft.half_size);
    fft.complex_transform(true, points.data(), spectrum.data());
    fft.complex_transform(false, spectrum.data(), back.data());
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_NEAR(back[i].re, points[i].re, 1e-13);
      EXPECT_NEAR(back[i].im, points[i].im, 1e-13);
    }
  }
}

}  // namespace
