// Measures how soon a tone shows on the real program: it plays the virtual
// microphone's sink in 5 ms blocks, silence with a loud 1000 Hz tone after
// random pauses, and reads back the one pixel of the window's right edge in
// the tone's row until it lights. The delay runs from the moment the tone's
// first sample reaches the microphone (the sink plays it into its monitor: the
// time the block was handed over plus what the server says it still holds) to
// the first read that finds the pixel lit.
//
// Usage: screen_latency WINDOW ONSETS   (DISPLAY and PULSE_SERVER set; the
// sink is vmic_sink)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "tests/e2e/picture_checks.h"
#include "tests/latency/summary.h"

namespace {

using clock_type = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr int rate = 48000, block_samples = rate / 200;  // 5 ms blocks
constexpr double tone_hz = 1000.0;
constexpr int tone_amplitude = 30000;
// Between two reads of the pixel: short against the 1 ms the read may be off
// by, long enough to leave the program and the display server the cores.
constexpr microseconds read_pause{100};

double ms_between(clock_type::time_point from, clock_type::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Feeds the sink on its own thread: each block is written as soon as the
// server takes it, so the sink never runs dry and holds about two blocks.
class tone_player {
 public:
  bool open() {
    pa_sample_spec spec{PA_SAMPLE_S16LE, rate, 1};
    const std::uint32_t block_bytes = block_samples * 2;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = 2 * block_bytes;
    attr.prebuf = block_bytes;
    attr.minreq = block_bytes;
    attr.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    stream = pa_simple_new(nullptr, "screen_latency", PA_STREAM_PLAYBACK, "vmic_sink", "tones", &spec,
                           nullptr, &attr, &error);
    if (!stream) std::fprintf(stderr, "screen_latency: cannot play into vmic_sink: %s\n", pa_strerror(error));
    return stream != nullptr;
  }
  ~tone_player() {
    running = false;
    if (feeder.joinable()) feeder.join();
    if (stream) pa_simple_free(stream);
  }
  void start() {
    feeder = std::thread([this] { feed(); });
  }

  // Starts the tone with the next block; the onset is known once played.
  void tone_on() {
    onset_ns = 0;
    tone = true;
  }
  void tone_off() { tone = false; }
  // When the tone's first sample reached the microphone; empty until known.
  bool onset(clock_type::time_point& at) const {
    const std::int64_t ns = onset_ns;
    if (ns == 0) return false;
    at = clock_type::time_point(std::chrono::nanoseconds(ns));
    return true;
  }
  bool failed() const { return broken; }

 private:
  void feed() {
    std::vector<std::int16_t> block(block_samples);
    std::int64_t phase = 0;
    bool was_on = false;
    while (running) {
      const bool on = tone;
      for (int i = 0; i < block_samples; ++i, ++phase)
        block[i] =
            on ? static_cast<std::int16_t>(tone_amplitude * std::sin(2 * M_PI * tone_hz * phase / rate)) : 0;
      int error = 0;
      if (pa_simple_write(stream, block.data(), block.size() * 2, &error) < 0) {
        std::fprintf(stderr, "screen_latency: the sink refused a block: %s\n", pa_strerror(error));
        broken = true;
        return;
      }
      if (on && !was_on) {
        // The latency is how long the last sample written waits to be played.
        const pa_usec_t waiting = pa_simple_get_latency(stream, &error);
        const auto first =
            clock_type::now() + microseconds(waiting) - microseconds(1000000 * block_samples / rate);
        onset_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(first.time_since_epoch()).count();
      }
      was_on = on;
    }
  }

  pa_simple* stream = nullptr;
  std::thread feeder;
  std::atomic<bool> running{true}, tone{false}, broken{false};
  std::atomic<std::int64_t> onset_ns{0};
};

// Reads the one pixel. A pixel found lit became so after the previous read's
// request went out and before this read's answer came: that stretch is the
// read's error, and a reading whose error reaches 1 ms (the tool lost the
// processor for a while) is not kept.
class pixel_reader {
 public:
  pixel_reader(Display* display, Window window, int x, int y)
      : display(display), window(window), x(x), y(y) {}

  // Waits up to `limit` for the pixel to be lit (or dark): the time of the
  // first answer that found it so, and the error of that reading.
  bool wait_for(bool want_lit, milliseconds limit, clock_type::time_point& when, double& error_ms) {
    const auto give_up = clock_type::now() + limit;
    auto previous_request = clock_type::now();
    while (previous_request < give_up) {
      const auto request = clock_type::now();
      XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
      const auto answer = clock_type::now();
      const bool lit = image && (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
      if (image) XDestroyImage(image);
      if (lit == want_lit) {
        when = answer;
        error_ms = ms_between(previous_request, answer);
        return true;
      }
      previous_request = request;
      std::this_thread::sleep_for(read_pause);
    }
    return false;
  }

 private:
  Display* display;
  Window window;
  int x, y;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[2]) < 1) {
    std::fprintf(stderr, "usage: screen_latency WINDOW ONSETS\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int onsets = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "screen_latency: cannot open the display\n");
    return 1;
  }
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) {
    std::fprintf(stderr, "screen_latency: no window %s\n", argv[1]);
    return 1;
  }
  const int row = predicted_row(tone_hz, attributes.height);
  pixel_reader pixel(display, window, attributes.width - 1, row);
  tone_player player;
  if (!player.open()) return 1;
  player.start();

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> pause_ms(200, 600);
  std::vector<double> delays;
  double largest_error = 0;
  int missed = 0, retaken = 0;
  // The first onset only warms the chain up: a recording that has just
  // started may still be catching up with what the server holds.
  bool warming_up = true;
  while (static_cast<int>(delays.size()) < onsets && missed < onsets && retaken < onsets) {
    clock_type::time_point dark, onset, shown;
    double error_ms = 0;
    if (!pixel.wait_for(false, milliseconds(5000), dark, error_ms)) {
      std::fprintf(stderr, "screen_latency: the tone's row stays lit in silence\n");
      return 1;
    }
    std::this_thread::sleep_for(milliseconds(pause_ms(random)));
    player.tone_on();
    const bool seen = pixel.wait_for(true, milliseconds(1000), shown, error_ms);
    while (!player.onset(onset) && !player.failed()) std::this_thread::sleep_for(read_pause);
    player.tone_off();
    if (player.failed()) return 1;
    if (warming_up) {
      warming_up = false;
    } else if (!seen) {
      ++missed;
    } else if (error_ms >= 1.0) {
      ++retaken;
    } else {
      largest_error = std::max(largest_error, error_ms);
      delays.push_back(ms_between(onset, shown));
    }
  }
  if (delays.empty()) {
    std::fprintf(stderr, "screen_latency: no tone showed within a second in the window's row %d\n", row);
    return 1;
  }
  const latency::summary s = latency::summarise(delays);
  std::printf("tone to screen over %zu onsets: p50 %.1f ms, p95 %.1f ms, max %.1f ms\n", delays.size(), s.p50,
              s.p95, s.max);
  std::printf(
      "(row %d of %dx%d; every reading within %.2f ms; %d retaken for a slower reading, %d never shown)\n",
      row, attributes.width, attributes.height, largest_error, retaken, missed);
  XCloseDisplay(display);
  return missed == 0 ? 0 : 1;
}
