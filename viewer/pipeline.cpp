// The analysis pipeline: built for each client size, then fed from the
// capture ring once per pass of the run loop.
#include <cstring>

#include "analysis/bin_to_row.h"
#include "analysis/column_colouring.h"
#include "analysis/hamming_window.h"
#include "analysis/row_edges.h"
#include "analysis/settings.h"
#include "framework/truncation.h"
#include "viewer/myapp.h"

void myapp::configure_pipeline() {
  band_bins = shown_band_bins();
  image_size[0] = truncated(window.client_width);
  image_size[1] = truncated(window.client_height);
  // A client area without pixels (a window dragged to nothing) has no ring to
  // wrap around: the pipeline stays idle, with no device open, until the
  // window has an area again. This is not a failure, so nothing is reported.
  if (!has_area()) return;
  // Without pixels there is nothing to draw into: a failure like the others,
  // reported by the next paint.
  if (image.create({image_size[0], image_size[1]}, dib_image::default_stride) != dib_image::created) {
    reset_pipeline();
    return;
  }
  write_column = 0;
  scrolled_column = 0;
  unscrolled_columns = 0;
  std::memset(image.pixels, 0, static_cast<std::size_t>(image.stride) * image.height);
  row_magnitudes.assign(image_size[1], 0.0);
  if (capture.open(settings.sample_rate, 1) != 0) {
    reset_pipeline();
    return;
  }
  capture_read_pos = 0;
  hop_samples.assign(settings.hop_size, 0);
  frame_samples.assign(settings.fft_size, 0.0);
  frame_pos = 0;
  fft.reset(new FFT(settings.fft_size));
  window_coefficients = hamming_window(settings.fft_size);
  peak_level = 0.0;
  fft_input.assign(settings.fft_size, 0.0);
  spectrum.assign(settings.fft_size / 2 + 1, spectrum_bin{});
  hop_fill = 0;
  if (settings.log_frequency)
    row_edges = log_row_edges(image_size[1]);
  else
    row_edges.clear();
  if (!drawdib) {
    reset_pipeline();
    return;
  }
  bitmap_header = bitmap_header_for(image);
  window.invalidate();
  ready = true;
}

// Reads the buffers the last re-queueing took back, from where the last read
// stopped: after a stall of a whole round that is the whole ring, though the
// end of the completed samples is then where the read started.
std::int32_t myapp::build_columns() {
  const std::int16_t* ring = capture.sample_ring.get();
  for (std::uint32_t unread = capture.fresh_buffers * capture.buffer_frames; unread > 0; --unread) {
    hop_samples[hop_fill] = ring[capture_read_pos];
    if (++capture_read_pos == static_cast<std::int32_t>(capture.ring_length)) capture_read_pos = 0;
    if (++hop_fill < static_cast<std::int32_t>(settings.hop_size)) continue;
    hop_fill = 0;
    // While paused the samples are consumed, so the ring never overflows, but
    // no column is made and the picture stands still.
    if (settings.paused) continue;
    build_column();
  }
  return handled;
}

void myapp::build_column() {
  for (std::int16_t sample : hop_samples) {
    frame_samples[frame_pos] = sample / 32767.0;
    if (++frame_pos == static_cast<std::int32_t>(settings.fft_size)) frame_pos = 0;
  }
  peak_level = window_frame(frame_samples, frame_pos, window_coefficients, settings.apply_window, fft_input);
  fft->transform(fft_input, spectrum);
  map_bins_to_rows(spectrum, band_bins, row_edges, row_magnitudes);
  colour_column(row_magnitudes, image.pixels, image.stride, write_column);
  if (++write_column == image_size[0]) write_column = 0;
  ++unscrolled_columns;
}
