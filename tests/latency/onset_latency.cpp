#include "tests/latency/onset_latency.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "analysis/settings.h"
#include "tests/e2e/picture_checks.h"
#include "tests/support/scripted_host.h"
#include "viewer/myapp.h"

namespace latency {
namespace {

constexpr std::int64_t ms = 1000000;
constexpr double tone_hz = 1000.0, tone_amplitude = 30000.0;
// The program starts in a 500 x 400 window; a resize to one row less is news
// to it and restarts the capture.
constexpr std::int32_t width = 500, resized_height = 399;

}  // namespace

design program_design() {
  scripted::host host;
  myapp app;
  design d{};
  host.at(100 * ms, [&] {
    d.rate = static_cast<std::int32_t>(app.capture.rate);
    d.buffer_frames = static_cast<std::int32_t>(app.capture.buffer_frames);
    d.tick_ns = app.frame_timer.period;
  });
  host.close_request_at(110 * ms);
  app.run(0, nullptr);
  d.hop_size = static_cast<std::int32_t>(settings.hop_size);
  return d;
}

std::vector<double> measured_delays(std::int32_t onsets, std::uint32_t seed) {
  std::mt19937 random(seed);
  const design d = program_design();
  const std::int64_t hyperperiod_ns =
      static_cast<std::int64_t>(std::lcm(d.buffer_frames, d.hop_size)) * 1000000000 / d.rate;
  std::uniform_int_distribution<std::int64_t> tick_phase(0, d.tick_ns - 1),
      onset_phase(0, hyperperiod_ns - 1);
  const std::int32_t row = predicted_row(tone_hz, resized_height);
  std::vector<double> delays;
  for (std::int32_t i = 0; i < onsets; ++i) {
    scripted::host host;
    myapp app;
    // The capture restarts with the resize, at a random phase of the ticks;
    // the tone starts once the frame holds only samples of the new capture.
    const std::int64_t restart = 100 * ms + tick_phase(random);
    const std::int64_t onset = restart + 200 * ms + onset_phase(random);
    host.event_at(restart, scripted::resized(1, width, resized_height));
    host.at(onset, [&] { host.microphone().sine(tone_hz, tone_amplitude); });
    // What the program presented is on the screen when it next waits.
    double delay_ms = std::numeric_limits<double>::infinity();
    host.on_wait = [&](const scripted::wait_record& wait) {
      if (std::isfinite(delay_ms) || wait.started_ns < onset) return;
      if (host.pixel(1, width - 1, row) != 0) {
        delay_ms = static_cast<double>(wait.started_ns - onset) / ms;
        host.close_request_at(wait.started_ns);
      }
    };
    // A tone that never shows ends the run half a second on, with an endless delay.
    host.close_request_at(onset + 500 * ms);
    app.run(0, nullptr);
    delays.push_back(delay_ms);
  }
  return delays;
}

std::vector<double> floor_delays(const design& d) {
  constexpr std::int64_t onset_steps = 4800, tick_steps = 200, second = 1000000000;
  const std::int64_t hyperperiod_ns = std::lcm<std::int64_t>(d.buffer_frames, d.hop_size) * second / d.rate;
  // Sample k is taken at ceil(k / rate) seconds, and the first k samples have
  // all arrived once sample k is taken.
  const auto taken_at = [&](std::int64_t k) { return (k * second + d.rate - 1) / d.rate; };
  std::vector<double> delays;
  delays.reserve(onset_steps * tick_steps);
  for (std::int64_t i = 0; i < onset_steps; ++i) {
    const std::int64_t onset = i * hyperperiod_ns / onset_steps;
    std::int64_t first = onset * d.rate / second;
    if (taken_at(first) < onset) ++first;
    const std::int64_t hop_end = (first / d.hop_size + 1) * d.hop_size;
    const std::int64_t buffer_end = (hop_end + d.buffer_frames - 1) / d.buffer_frames * d.buffer_frames;
    const std::int64_t complete = taken_at(buffer_end);
    for (std::int64_t j = 0; j < tick_steps; ++j) {
      const std::int64_t phase = j * d.tick_ns / tick_steps;
      // The tick that builds the column, then the one that shows it.
      const std::int64_t built =
          phase + (std::max<std::int64_t>(complete - phase, 0) + d.tick_ns - 1) / d.tick_ns * d.tick_ns;
      delays.push_back(static_cast<double>(built + d.tick_ns - onset) / ms);
    }
  }
  return delays;
}

}  // namespace latency
