// What the SDL host's capture does when its device is lost: when it tries to
// open it again, what it says, and how many samples it counts as missed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "platform/portable/hosts/sdl/sdl_capture.h"

namespace {

constexpr std::uint64_t never = std::numeric_limits<std::uint64_t>::max();

// A device that stops at lost_at_ms and can be opened again from back_at_ms;
// each attempt to open it takes attempt_ms, of which busy_ms on the processor.
class scripted_device final : public portable::reopenable_device {
 public:
  scripted_device(std::uint64_t lost_at_ms, std::uint64_t back_at_ms, std::uint64_t attempt_ms,
                  std::uint64_t busy_ms)
      : lost_at(lost_at_ms), back_at(back_at_ms), attempt_ms(attempt_ms), busy_ms(busy_ms) {}

  bool alive() override { return reopened || now < lost_at; }
  bool reopen(std::string& error) override {
    attempts.push_back(now);
    reopened = now >= back_at;
    now += attempt_ms;
    busy_us += busy_ms * 1000;
    if (!reopened) error = "no server";
    return reopened;
  }

  std::uint64_t now = 0, busy_us = 0;
  std::vector<std::uint64_t> attempts;

 private:
  std::uint64_t lost_at, back_at, attempt_ms, busy_ms;
  bool reopened = false;
};

int lines_in(std::FILE* file) {
  std::rewind(file);
  int lines = 0;
  for (int c; (c = std::fgetc(file)) != EOF;) lines += c == '\n';
  return lines;
}

TEST(CaptureKeeper, TriesOncePerIntervalAndCountsTheGap) {
  struct scenario {
    const char* name;
    std::int32_t rate, channels;
    std::uint64_t lost_at, back_at;       // the device's life, in milliseconds
    std::uint64_t attempt_ms, busy_ms;    // what one attempt to open it takes
    std::uint64_t look_every_ms, end_ms;  // how often the program looks for samples
    std::vector<std::uint64_t> attempts;
    std::uint64_t missed;  // samples reported for the drop counter
    int lines;             // said on the log
  };
  const std::vector<std::uint64_t> every_second = {1500, 2500, 3500, 4500, 5500, 6500, 7500, 8500, 9500};
  const scenario scenarios[] = {
      {"never lost", 8000, 1, never, never, 0, 0, 10, 5000, {}, 0, 0},
      {"back after three seconds", 8000, 1, 500, 3550, 0, 0, 10, 6000, {1500, 2500, 3500, 4500}, 4000 * 8, 2},
      {"back before the first try, stereo", 48000, 2, 500, 600, 0, 0, 10, 3000, {1500}, 1000 * 48 * 2, 2},
      {"never back", 8000, 1, 500, never, 0, 0, 10, 10000, every_second, 0, 1},
      // Each try waits for the first look after it is due.
      {"seldom looked at", 16000, 1, 100, 5000, 0, 0, 700, 8000, {2100, 3500, 4900, 6300}, 5600 * 16, 2},
      // Tries wait until 5 ms of processor time each is a thousandth of the time gone.
      {"costly attempts", 8000, 1, 500, 12000, 5, 5, 10, 20000, {1500, 5500, 10500, 15500}, 15005 * 8, 2},
      // Waiting for a server costs no processor time.
      {"slow attempts", 8000, 1, 500, 3000, 40, 0, 10, 5000, {1500, 2540, 3580}, 3120 * 8, 2},
  };
  for (const scenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    scripted_device device(s.lost_at, s.back_at, s.attempt_ms, s.busy_ms);
    portable::capture_keeper keeper(
        s.rate, s.channels, log, [&device] { return device.now; }, [&device] { return device.busy_us; });
    std::uint64_t missed = 0;
    for (std::uint64_t t = 0; t <= s.end_ms; t += s.look_every_ms) {
      device.now = std::max(device.now, t);  // an attempt may have taken the time past t
      missed += keeper.check(device);
    }
    EXPECT_EQ(device.attempts, s.attempts);
    EXPECT_EQ(missed, s.missed);
    EXPECT_EQ(keeper.lost(), s.back_at == never && s.lost_at != never);
    EXPECT_EQ(lines_in(log), s.lines);
    std::fclose(log);
  }
}

}  // namespace
