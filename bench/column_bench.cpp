// One whole spectrogram column: window, transform, bin-to-row mapping, colouring.
#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/bin_to_row.h"
#include "analysis/column_colouring.h"
#include "analysis/fft.h"
#include "analysis/hamming_window.h"
#include "analysis/row_edges.h"
#include "bench/test_frame.h"

namespace {

void column(benchmark::State& state) {
  const std::int32_t height = static_cast<std::int32_t>(state.range(0));
  const std::int32_t width = 500;
  const std::int32_t stride = 4 * width;
  const std::uint32_t band_bins = shown_band_bins();

  const std::vector<double> frame_ring = test_frame();
  const std::vector<double> window = hamming_window(settings.fft_size);
  const FFT fft(settings.fft_size);
  const std::vector<double> row_edges = log_row_edges(height);
  std::vector<double> fft_input(settings.fft_size);
  std::vector<spectrum_bin> spectrum(settings.fft_size / 2 + 1);
  std::vector<double> row_magnitudes(height);
  std::vector<unsigned char> image(static_cast<std::size_t>(stride) * height);

  // The ring position moves a hop per column, as it does with live audio.
  std::size_t frame_pos = 0;
  std::int32_t write_column = 0;
  for (auto _ : state) {
    const double peak = window_frame(frame_ring, frame_pos, window, settings.apply_window, fft_input);
    benchmark::DoNotOptimize(peak);
    fft.transform(fft_input, spectrum);
    map_bins_to_rows(spectrum, band_bins, row_edges, row_magnitudes);
    colour_column(row_magnitudes, image.data(), stride, write_column);
    frame_pos = (frame_pos + settings.hop_size) % settings.fft_size;
    if (++write_column == width) write_column = 0;
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(column)->Arg(400)->Arg(1080)->Repetitions(5)->ReportAggregatesOnly(true);
