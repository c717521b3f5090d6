// FFT::transform against FFTW's real-to-complex transform of the same frame.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/fft.h"
#include "analysis/hamming_window.h"
#include "analysis/polar.h"
#include "bench/test_frame.h"

namespace {

constexpr std::uint32_t n = 1024;

std::vector<double> windowed_frame() {
  const std::vector<double> frame = test_frame();
  const std::vector<double> window = hamming_window(n);
  std::vector<double> windowed(n);
  window_frame(frame, 0, window, true, windowed);
  return windowed;
}

void fft_transform(benchmark::State& state) {
  const FFT fft(n);
  const std::vector<double> frame = windowed_frame();
  std::vector<spectrum_bin> spectrum(n / 2 + 1);
  for (auto _ : state) {
    fft.transform(frame, spectrum);
    benchmark::DoNotOptimize(spectrum.data());
    benchmark::ClobberMemory();
  }
}

// The inner complex transform alone, to tell its share from the split step's
// and the polar conversion's.
void fft_complex_transform(benchmark::State& state) {
  const FFT fft(n);
  const std::vector<double> frame = windowed_frame();
  std::vector<FFT::complex_value> points(n / 2);
  for (std::uint32_t k = 0; k < n / 2; ++k) points[k] = {frame[2 * k], frame[2 * k + 1]};
  std::vector<FFT::complex_value> result(n / 2);
  for (auto _ : state) {
    fft.complex_transform(true, points.data(), result.data());
    benchmark::DoNotOptimize(result.data());
    benchmark::ClobberMemory();
  }
}

// FFTW with a measured plan, alone or followed by a conversion to magnitude
// and phase like FFT::transform's: with the library's atan2 per bin, or with
// the same two-lane conversion that FFT::transform uses. The latter sets the
// two transforms side by side with equal polar steps.
enum class polar_step { none, library, lanes };

void fftw_r2c(benchmark::State& state, polar_step polar) {
  double* in = fftw_alloc_real(n);
  fftw_complex* out = fftw_alloc_complex(n / 2 + 1);
  // Planning with FFTW_MEASURE overwrites the arrays, so the frame goes in
  // after; executing a real-to-complex plan leaves its input as it was.
  const fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE);
  const std::vector<double> frame = windowed_frame();
  std::copy(frame.begin(), frame.end(), in);
  std::vector<spectrum_bin> spectrum(n / 2 + 1);
  for (auto _ : state) {
    fftw_execute(plan);
    if (polar == polar_step::library) {
      for (std::uint32_t k = 0; k <= n / 2; ++k)
        spectrum[k] = {std::sqrt(out[k][0] * out[k][0] + out[k][1] * out[k][1]),
                       std::atan2(out[k][1], out[k][0])};
    } else if (polar == polar_step::lanes) {
      for (std::uint32_t k = 0; k <= n / 2; ++k) spectrum[k] = {out[k][0], out[k][1]};
      to_polar(spectrum.data(), spectrum.size());
    }
    benchmark::DoNotOptimize(spectrum.data());
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  fftw_destroy_plan(plan);
  fftw_free(out);
  fftw_free(in);
}

// The polar step alone, on the bins of the benchmark frame: the magnitude and
// phase that FFT::transform must deliver, as a share of the yardstick.
void polar_step(benchmark::State& state) {
  const FFT fft(n);
  std::vector<spectrum_bin> cartesian(n / 2 + 1);
  fft.transform(windowed_frame(), cartesian);
  for (spectrum_bin& bin : cartesian)
    bin = {bin.magnitude * std::cos(bin.phase), bin.magnitude * std::sin(bin.phase)};
  std::vector<spectrum_bin> bins(cartesian.size());
  for (auto _ : state) {
    std::copy(cartesian.begin(), cartesian.end(), bins.begin());
    to_polar(bins.data(), bins.size());
    benchmark::DoNotOptimize(bins.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(fft_transform)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(fft_complex_transform)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(polar_step)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(fftw_r2c, plain, polar_step::none)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(fftw_r2c, with_polar, polar_step::library)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(fftw_r2c, with_lane_polar, polar_step::lanes)->Repetitions(5)->ReportAggregatesOnly(true);
