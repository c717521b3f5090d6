// A day of the viewer on the scripted host. The microphone plays a sound that
// keeps changing (steady tones, sweeps, silence, clipping), and every second
// of virtual time the run is checked: the memory in use has not grown, the ring
// columns are where they should be, the screen shows the ring, and every sample
// the microphone captured went into the picture once.
//
// The run has no stalls: the program waits at most a frame (10 ms) at a time,
// far less than the two seconds the capture queue holds, so nothing may be
// dropped anywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "analysis/settings.h"
#include "tests/soak/live_allocations.h"
#include "tests/support/scripted_host.h"
#include "viewer/myapp.h"

namespace {

constexpr std::int64_t ms = 1000000;
constexpr std::int64_t second = 1000 * ms;
constexpr std::int64_t hour = 3600 * second;
constexpr std::int64_t day = 24 * hour;
constexpr std::int64_t cycle = 40 * second;
constexpr double full_scale = 32767.0;
constexpr double two_pi = 6.283185307179586;
// A small window: each column scrolls the whole picture, 62.5 times a
// second, and a day at the default size would spend hours moving pixels.
constexpr std::int32_t width = 96, height = 64;

std::int16_t clip(double value) { return static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0)); }

// What the microphone hears t nanoseconds into the day: a cycle of 40 s,
// repeated all day, whose tone and sweep direction change from cycle to cycle.
//   0 - 10 s  a steady tone between 100 and 1700 Hz at half scale
//  10 - 20 s  a sweep over the shown band, 60 Hz to 2 kHz, up or down
//  20 - 25 s  silence
//  25 - 35 s  a 300 Hz tone at four times full scale, clipped
//  35 - 40 s  a faint 700 Hz tone, at 1/1000 of full scale
std::int16_t soak_signal(std::int64_t t) {
  const std::int64_t index = t / cycle;
  const double s = static_cast<double>(t % cycle) / second;
  if (s < 10) return clip(0.5 * full_scale * std::sin(two_pi * 100.0 * std::pow(1.5, index % 8) * s));
  if (s < 20) {
    // Phase of a logarithmic sweep from f0 over 10 s by the ratio r.
    const double f0 = index % 2 ? 2000.0 : 60.0, ratio = index % 2 ? 0.03 : 2000.0 / 60.0;
    const double k = std::log(ratio) / 10.0, u = s - 10;
    return clip(0.5 * full_scale * std::sin(two_pi * f0 * (std::exp(k * u) - 1) / k));
  }
  if (s < 25) return 0;
  if (s < 35) return clip(4 * full_scale * std::sin(two_pi * 300.0 * s));
  return clip(0.001 * full_scale * std::sin(two_pi * 700.0 * s));
}

// The checks, run from the host as the program waits.
class soak_watch {
 public:
  soak_watch(myapp& app, scripted::host& host) : app(app), host(host) {}

  // Every wait: count the columns written since the last one.
  void on_wait() {
    if (!tracking) return;
    const std::int32_t write = app.write_column, scrolled = app.scrolled_column;
    if (write < 0 || write >= width || scrolled < 0 || scrolled >= width)
      return fail("ring columns out of range: write " + std::to_string(write) + ", scrolled " +
                  std::to_string(scrolled));
    // Each pass scrolls the window up to the writing, so since the last wait
    // the scrolling has caught up at least with where the writing was then,
    // and never runs ahead of it.
    const std::int32_t written = (width + write - last_write) % width;
    if ((width + write - scrolled) % width > written)
      return fail("scrolled column " + std::to_string(scrolled) + " is not between " +
                  std::to_string(last_write) + " and " + std::to_string(write));
    columns += written;
    last_write = write;
  }

  // Every second of virtual time.
  void check(std::int64_t t) {
    if (!tracking) start_tracking();
    check_samples();
    check_screen(t);
    check_memory(t);
    ++checks;
  }

  std::string failure;
  std::uint64_t columns = 0, checks = 0;
  live_allocations::snapshot first_hour{0, 0, 0}, last{0, 0, 0};

 private:
  void fail(std::string what) {
    if (failure.empty()) failure = "at " + std::to_string(host.now() / second) + " s: " + what;
    PostQuitMessage(0);
  }

  // Samples that reached the program's buffers but no column yet: those in
  // completed or partly filled buffers (a buffer read by the columns has
  // already gone back to the device, empty), and those gathered for the next hop.
  std::uint64_t samples_in_program() const {
    std::uint64_t held = static_cast<std::uint64_t>(app.hop_fill);
    for (std::uint32_t i = 0; i < app.capture.buffer_count; ++i)
      held += app.capture.headers[i].dwBytesRecorded / 2;
    return held;
  }

  void start_tracking() {
    if (app.image_size[0] != width || app.image_size[1] != height || !app.ready)
      return fail("the window was not resized to " + std::to_string(width) + " x " + std::to_string(height));
    tracking = true;
    last_write = app.write_column;
    delivered_before = host.microphone().delivered() - samples_in_program();
  }

  void check_samples() {
    const std::uint64_t delivered = host.microphone().delivered() - delivered_before;
    const std::uint64_t accounted = columns * settings.hop_size + samples_in_program();
    if (delivered != accounted)
      fail(std::to_string(delivered) + " samples delivered, but " + std::to_string(accounted) +
           " made columns or wait for one");
    if (host.microphone().dropped() != 0 || portable::wave_in_dropped(app.capture.handle) != 0)
      fail("samples were dropped");
  }

  // Client column x shows ring column (scrolled_column + x) mod W, client row y
  // stored row H - 1 - y. The columns written since the last scroll are not on
  // the screen yet, and the oldest ones they overwrote in the ring still are.
  void check_screen(std::int64_t t) {
    const scripted::native_window_record& shown = host.window(host.newest_window());
    if (shown.screen_width != width || shown.screen_height != height)
      return fail("the screen has the wrong size");
    const std::int32_t unshown = (width + app.write_column - app.scrolled_column) % width;
    bool lit = false;
    for (std::int32_t y = 0; y < height; ++y) {
      const unsigned char* row =
          app.image.pixels + static_cast<std::ptrdiff_t>(height - 1 - y) * app.image.stride;
      for (std::int32_t x = unshown; x < width; ++x) {
        std::uint32_t stored;
        std::memcpy(&stored, row + 4 * ((app.scrolled_column + x) % width), 4);
        const std::uint32_t on_screen = shown.screen[static_cast<std::size_t>(y) * width + x];
        if (on_screen != (stored & 0xFFFFFF))
          return fail("client pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                      ") is not the ring's");
        lit = lit || on_screen != 0;
      }
    }
    // The ring holds the last 1.5 s of sound: well inside each stretch of the
    // cycle it shows that stretch alone.
    const struct {
      std::int64_t offset;
      bool lit;
      const char* sound;
    } sightings[] = {
        {5 * second, true, "a steady tone"},
        {15 * second, true, "a sweep"},
        {24 * second, false, "silence"},
        {30 * second, true, "a clipped tone"},
    };
    for (const auto& sighting : sightings)
      if (t % cycle == sighting.offset && lit != sighting.lit)
        fail(std::string(sighting.sound) + (lit ? " shows up" : " shows nothing"));
  }

  // Nothing the program holds after the first hour may exceed what it held
  // during it.
  void check_memory(std::int64_t t) {
    host.forget_logs();
    last = live_allocations::now();
    if (t <= hour) {
      first_hour.blocks = std::max(first_hour.blocks, last.blocks);
      first_hour.bytes = std::max(first_hour.bytes, last.bytes);
      first_hour.heap_bytes = std::max(first_hour.heap_bytes, last.heap_bytes);
    } else if (last.blocks > first_hour.blocks || last.bytes > first_hour.bytes ||
               last.heap_bytes > first_hour.heap_bytes) {
      fail("memory grew: " + std::to_string(last.blocks) + " blocks, " + std::to_string(last.bytes) +
           " bytes, heap " + std::to_string(last.heap_bytes) + " bytes; at most " +
           std::to_string(first_hour.blocks) + ", " + std::to_string(first_hour.bytes) + ", " +
           std::to_string(first_hour.heap_bytes) + " in the first hour");
    }
  }

  myapp& app;
  scripted::host& host;
  bool tracking = false;
  std::int32_t last_write = 0;
  std::uint64_t delivered_before = 0;  // by the capture the first configuration opened, and before the checks
};

TEST(Soak, ADayOfChangingSoundKeepsMemoryFlatThePictureTrueAndEverySampleOnce) {
  scripted::host host;
  myapp app;
  soak_watch watch(app, host);
  host.microphone().follow(soak_signal);
  host.event_at(1 * ms, scripted::resized(1, width, height));
  host.on_wait = [&watch](const scripted::wait_record&) { watch.on_wait(); };
  std::function<void(std::int64_t)> check_at = [&](std::int64_t t) {
    host.at(t, [&, t] {
      watch.check(t);
      if (t < day) check_at(t + second);
    });
  };
  check_at(1 * second);
  host.close_request_at(day + 10 * ms);

  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(app.run(0, nullptr), 0);
  const double real_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  EXPECT_EQ(watch.failure, "");
  EXPECT_GE(host.now(), day) << "the run ended early";
  EXPECT_EQ(watch.checks, static_cast<std::uint64_t>(day / second));
  // 62.5 columns a second, less the first second before the checks began.
  EXPECT_NEAR(static_cast<double>(watch.columns), 62.5 * (day - second) / second, 2.0);
  EXPECT_TRUE(host.message_boxes().empty());
  std::printf(
      "soak: %.1f h of virtual time in %.1f s of real time; %llu columns; in use at the end "
      "%llu blocks, %llu bytes, heap %llu bytes (first hour at most %llu, %llu, %llu)\n",
      static_cast<double>(host.now()) / hour, real_seconds, static_cast<unsigned long long>(watch.columns),
      static_cast<unsigned long long>(watch.last.blocks), static_cast<unsigned long long>(watch.last.bytes),
      static_cast<unsigned long long>(watch.last.heap_bytes),
      static_cast<unsigned long long>(watch.first_hour.blocks),
      static_cast<unsigned long long>(watch.first_hour.bytes),
      static_cast<unsigned long long>(watch.first_hour.heap_bytes));
}

}  // namespace
