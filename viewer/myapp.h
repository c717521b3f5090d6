// The viewer: a live, scrolling spectrogram of the microphone.
//
// Every 128 captured samples become one pixel column of an image exactly as
// large as the client area. The image is a ring of columns that is never
// shifted in memory; the window scrolls instead, and each paint copies only the
// uncovered strip from the ring (painting.cpp). The pipeline (pipeline.cpp) is
// rebuilt for every client size; while the client area has no pixels it stays
// idle.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "analysis/fft.h"
#include "audio/wave_input.h"
#include "framework/toy_app.h"
#include "platform/win32.h"
#include "viewer/dib_image.h"

class myapp : public toy_app<win> {
 public:
  myapp();

  std::int32_t on_create() override;
  std::int32_t on_paint() override;
  std::int32_t on_size() override;
  std::int32_t on_char(std::int32_t key_flags, std::int32_t character) override;
  std::int32_t on_destroy() override;
  std::int32_t on_start() override;
  std::int32_t on_iteration() override;
  std::int32_t on_before_wait() override;
  std::int32_t on_draw() override { return handled; }
  std::int32_t on_stop() override { return handled; }

  // Back to the unconfigured state: no device, no image, no buffers.
  void reset_pipeline();
  // Builds everything for the current client size and opens the microphone;
  // ready tells whether it worked.
  void configure_pipeline();
  // Turns the samples of the buffers the last re-queueing took back into
  // image columns.
  std::int32_t build_columns();
  // Copies the part of the ring image inside one client rectangle.
  void blit_rect(const RECT& r);

  HDRAWDIB drawdib = nullptr;
  std::uint32_t band_bins = 0;
  std::int32_t image_size[2] = {0, 0};  // width, height
  dib_image image;
  std::int32_t write_column = -1;
  std::int32_t scrolled_column = -1;
  // Columns written since the last scroll, not wrapped at W as the two
  // columns above are.
  std::uint32_t unscrolled_columns = 0;
  std::vector<double> row_magnitudes;
  wave_input capture;
  std::int32_t capture_read_pos = -1;
  std::vector<std::int16_t> hop_samples;
  std::vector<double> frame_samples;
  std::int32_t frame_pos = -1;
  boost::shared_ptr<FFT> fft;
  std::vector<double> window_coefficients;
  double peak_level = 0.0;
  std::vector<double> fft_input;
  std::vector<spectrum_bin> spectrum;
  std::int32_t hop_fill = -1;
  std::vector<double> row_edges;
  BITMAPINFOHEADER bitmap_header{};
  bool ready = false;
  bool failure_shown = false;  // the failure message is shown once

 private:
  bool has_area() const { return image_size[0] > 0 && image_size[1] > 0; }
  void build_column();
  void draw_level_meter(std::int32_t left, std::int32_t right);
  void draw_paused_label();
};
