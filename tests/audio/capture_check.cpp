// Captures from the machine's default microphone through wave_input on the SDL2
// host, the way the viewer does, and checks what arrives. tools/capture-check.sh
// runs it against a virtual PulseAudio microphone.
//
//   capture_check tone HZ   one second of the capture is a tone of HZ, within
//                           1%, and nothing was dropped on the way
//   capture_check vanish    prints "capturing" once samples flow; after the
//                           sound server is stopped, samples stop and the
//                           stream closes cleanly
//   capture_check none      opening fails, with the reason on stderr
//
// Exit status 0 when the check holds, 1 when it does not, 2 when it cannot run.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/wave_input.h"
#include "framework/clock.h"
#include "framework/waiter.h"
#include "platform/portable/seam/host.h"
#include "tests/audio/samples.h"

namespace {

constexpr double rate = 8000;
constexpr std::int64_t second = 1000000000;

// One pass of a run loop that only captures: pump, re-queue, read, wait.
std::vector<std::int16_t> capture_pass(wave_input& capture, std::uint32_t& read_position) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  waiter w;
  capture.requeue_completed(w);
  std::vector<std::int16_t> fresh = take_completed(capture, read_position);
  w.wait();
  return fresh;
}

// The frequency from the upward zero crossings, placed between samples by
// linear interpolation: whole periods between the first and the last crossing.
double frequency_of(const std::vector<std::int16_t>& samples) {
  double first = -1, last = -1;
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      const double at = static_cast<double>(i - 1) + samples[i - 1] / double(samples[i - 1] - samples[i]);
      if (first < 0) first = at;
      last = at;
      ++crossings;
    }
  }
  return crossings < 2 ? 0 : (crossings - 1) / ((last - first) / rate);
}

double rms_of(const std::vector<std::int16_t>& samples) {
  double sum = 0;
  for (std::int16_t s : samples) sum += double(s) * s;
  return std::sqrt(sum / samples.size());
}

int check_tone(wave_input& capture, double expected_hz) {
  // Half a second for the server and its resampler to settle, then one second.
  std::vector<std::int16_t> heard;
  std::uint32_t read_position = 0;
  const std::int64_t give_up = now_ns() + 10 * second;
  while (heard.size() < 12000 && now_ns() < give_up) {
    const std::vector<std::int16_t> fresh = capture_pass(capture, read_position);
    heard.insert(heard.end(), fresh.begin(), fresh.end());
  }
  if (heard.size() < 12000) {
    std::printf("only %zu samples arrived in 10 s\n", heard.size());
    return 1;
  }
  const std::vector<std::int16_t> one_second(heard.begin() + 4000, heard.end());
  const double hz = frequency_of(one_second);
  const double rms = rms_of(one_second);
  const std::uint64_t dropped = portable::wave_in_dropped(capture.handle);
  std::printf("tone: %.2f Hz (expected %.0f), rms %.0f, %llu samples dropped\n", hz, expected_hz, rms,
              static_cast<unsigned long long>(dropped));
  return std::fabs(hz - expected_hz) <= expected_hz * 0.01 && rms > 1000 && dropped == 0 ? 0 : 1;
}

int check_vanish(wave_input& capture) {
  std::uint32_t read_position = 0;
  std::size_t heard = 0;
  std::int64_t last_heard = now_ns();
  const std::int64_t give_up = now_ns() + 20 * second;
  bool announced = false;
  while (now_ns() - last_heard < second) {
    if (now_ns() > give_up) {
      std::printf("samples kept arriving: %zu\n", heard);
      return 1;
    }
    const std::size_t fresh = capture_pass(capture, read_position).size();
    if (fresh > 0) last_heard = now_ns();
    heard += fresh;
    if (!announced && heard >= 2400) {
      std::printf("capturing\n");
      std::fflush(stdout);
      announced = true;
    }
  }
  if (!announced) {
    std::printf("no samples arrived\n");
    return 1;
  }
  capture.close();
  std::printf("samples stopped after %zu; the stream closed\n", heard);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "tone" && mode != "vanish" && mode != "none") {
    std::fprintf(stderr, "usage: capture_check tone HZ | vanish | none\n");
    return 2;
  }
  std::string error;
  std::unique_ptr<portable::host> host = portable::open_default_host(error);
  if (!host) {
    std::fprintf(stderr, "capture_check: %s\n", error.c_str());
    return 2;
  }
  portable::install_host(host.get());
  int result;
  {
    wave_input capture;
    const bool opened = capture.open(rate, 1) == wave_input::opened;
    if (mode == "none") {
      std::printf(opened ? "a microphone opened where none should be\n" : "no microphone, as expected\n");
      result = opened ? 1 : 0;
    } else if (!opened) {
      std::printf("the microphone did not open\n");
      result = 1;
    } else {
      result =
          mode == "tone" ? check_tone(capture, argc > 2 ? std::atof(argv[2]) : 1000) : check_vanish(capture);
    }
  }
  portable::install_host(nullptr);
  return result;
}
