// A stand-in for the program whose delay is known, to check screen_latency
// against: it records the virtual microphone, and a set number of
// milliseconds after a tone's first sample was captured it lights the right
// edge of its window in the row where the program would show a 1000 Hz tone,
// and darkens it again once the tone has stopped. The capture time comes from
// the sound server (what it still holds when a block is read), the side
// opposite to where screen_latency times the tone, so the two agree only if
// both are right.
//
// Usage: delay_check DELAY_MS   (DISPLAY and PULSE_SERVER set; the window is
// titled "Warblet delay check", 500 x 400)
#include <X11/Xlib.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/e2e/picture_checks.h"

namespace {

using clock_type = std::chrono::steady_clock;
constexpr int rate = 48000, block_samples = rate / 1000;  // read 1 ms at a time
constexpr int width = 500, height = 400, loud = 8000;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::atoi(argv[1]) < 5) {
    std::fprintf(stderr, "usage: delay_check DELAY_MS (at least 5)\n");
    return 2;
  }
  const std::chrono::milliseconds delay(std::atoi(argv[1]));
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "delay_check: cannot open the display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, 0,
                                            BlackPixel(display, screen));
  XStoreName(display, window, "Warblet delay check");
  XMapWindow(display, window);
  XFlush(display);
  const GC gc = XCreateGC(display, window, 0, nullptr);
  const int row = predicted_row(1000.0, height);

  pa_sample_spec spec{PA_SAMPLE_S16LE, rate, 1};
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.fragsize = block_samples * 2;
  int error = 0;
  pa_simple* mic = pa_simple_new(nullptr, "delay_check", PA_STREAM_RECORD, nullptr, "check", &spec, nullptr,
                                 &attr, &error);
  if (!mic) {
    std::fprintf(stderr, "delay_check: cannot record: %s\n", pa_strerror(error));
    return 1;
  }
  std::vector<std::int16_t> block(block_samples);
  bool sounding = false;
  int quiet_blocks = 0;
  for (;;) {
    if (pa_simple_read(mic, block.data(), block.size() * 2, &error) < 0) {
      std::fprintf(stderr, "delay_check: the recording stopped: %s\n", pa_strerror(error));
      return 1;
    }
    const auto read_at = clock_type::now();
    int first_loud = -1;
    for (int i = 0; i < block_samples && first_loud < 0; ++i)
      if (block[i] > loud || block[i] < -loud) first_loud = i;
    if (first_loud < 0) {
      if (sounding && ++quiet_blocks > 20) {
        sounding = false;
        XSetForeground(display, gc, BlackPixel(display, screen));
        XDrawPoint(display, window, gc, width - 1, row);
        XFlush(display);
      }
      continue;
    }
    quiet_blocks = 0;
    if (sounding) continue;
    sounding = true;
    // The server's latency is how long ago the sample after the block was
    // captured; the loud one is older by the samples that follow it.
    const pa_usec_t held = pa_simple_get_latency(mic, &error);
    const auto captured = read_at - std::chrono::microseconds(held) -
                          std::chrono::microseconds(1000000LL * (block_samples - first_loud) / rate);
    std::this_thread::sleep_until(captured + delay);
    XSetForeground(display, gc, 0xFF0000);
    XDrawPoint(display, window, gc, width - 1, row);
    XFlush(display);
  }
}
