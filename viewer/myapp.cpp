#include "viewer/myapp.h"

#include "analysis/settings.h"
#include "framework/clock.h"

myapp::myapp() { reset_pipeline(); }

std::int32_t myapp::on_start() {
  window.set_title(TEXT("Warblet - see what you hear"));
  window.set_mode(500.0, 400.0, win::resizable);
  frame_timer_enabled = true;
  frame_timer.period = 10000000;  // 10 ms
  frame_timer.origin = now_ns();
  frame_timer.next = 0;
  return handled;
}

// A failure is not reported here: the configuration that follows finds no
// DrawDib and leaves the pipeline unready, and the first paint says so.
std::int32_t myapp::on_create() {
  drawdib = DrawDibOpen();
  return handled;
}

std::int32_t myapp::on_destroy() {
  if (drawdib) DrawDibClose(drawdib);
  drawdib = nullptr;
  return handled;
}

std::int32_t myapp::on_size() {
  reset_pipeline();
  configure_pipeline();
  return handled;
}

std::int32_t myapp::on_char(std::int32_t key_flags, std::int32_t character) {
  switch (character) {
    case ' ':
      settings.paused = !settings.paused;
      window.invalidate();
      return handled;
    case 'a':
      // Only columns built from now on change; nothing is repainted.
      settings.log_amplitude = !settings.log_amplitude;
      return handled;
    case 'l':
      settings.show_level_meter = !settings.show_level_meter;
      window.invalidate();
      return handled;
    default:
      return not_handled;
  }
}

std::int32_t myapp::on_before_wait() {
  if (!ready) return handled;
  capture.requeue_completed(waiter);
  build_columns();
  return handled;
}

void myapp::reset_pipeline() {
  ready = false;
  row_edges.clear();
  hop_fill = -1;
  spectrum.clear();
  fft_input.clear();
  window_coefficients.clear();
  fft.reset();
  frame_pos = -1;
  frame_samples.clear();
  hop_samples.clear();
  capture_read_pos = -1;
  capture.close();
  row_magnitudes.clear();
  image.reset();
  scrolled_column = -1;
  write_column = -1;
  unscrolled_columns = 0;
}
