// The delay from a tone's first sample to the first pixel that shows it, on
// the whole program in virtual time, against what the design's buffer, hop and
// frame sizes allow: the scripted microphone adds nothing, so the program
// must add nothing either, beyond the rounding of its waits to whole
// milliseconds (at most 1 ms a tone).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/settings.h"
#include "tests/latency/onset_latency.h"

namespace {

TEST(Latency, ToneShowsAsSoonAsTheBuffersHopsAndFrameTicksAllow) {
  struct hop_case {
    std::uint32_t hop_size;
  };
  // The built-in hop, one shorter and one longer than a capture buffer.
  const hop_case cases[] = {{128}, {64}, {256}};
  const settings_record saved = settings;
  for (const hop_case& c : cases) {
    SCOPED_TRACE("hop " + std::to_string(c.hop_size));
    settings.hop_size = c.hop_size;
    const latency::design design = latency::program_design();
    ASSERT_EQ(design.hop_size, static_cast<std::int32_t>(c.hop_size));
    const std::vector<double> measured = latency::measured_delays(200, 19 + c.hop_size);
    for (double delay : measured) ASSERT_TRUE(std::isfinite(delay)) << "a tone never showed";
    const latency::summary got = latency::summarise(measured);
    const latency::summary floor = latency::summarise(latency::floor_delays(design));
    // 200 onsets put the percentiles within a millisecond or two of the
    // distribution's own.
    EXPECT_NEAR(got.p50, floor.p50 + 0.5, 2.0);
    EXPECT_NEAR(got.p95, floor.p95 + 0.5, 3.0);
    EXPECT_LE(got.max, floor.max + 1.0);
  }
  settings = saved;
}

// The floor of the built-in sizes. The worst onset is a hop's first sample
// when the hop ends 16 samples after a buffer: 16 ms for the hop, 28 ms for
// the buffer that holds its end (buffers end on multiples of 240 samples, hops
// on multiples of 128, so one lies at most 224 samples after the other), a
// whole tick until the program looks and one more until it shows: 64 ms. The
// median and 95th percentile are those a random simulation of the same steps
// finds (37.0 and 53.7 ms).
TEST(Latency, FloorOfTheBuiltInSizes) {
  const latency::design built_in{8000, 240, 128, 10000000};
  const latency::summary floor = latency::summarise(latency::floor_delays(built_in));
  EXPECT_NEAR(floor.p50, 37.0, 1.0);
  EXPECT_NEAR(floor.p95, 54.0, 1.0);
  EXPECT_NEAR(floor.max, 64.0, 0.5);
  const latency::design program = latency::program_design();
  EXPECT_EQ(program.rate, built_in.rate);
  EXPECT_EQ(program.buffer_frames, built_in.buffer_frames);
  EXPECT_EQ(program.hop_size, built_in.hop_size);
  EXPECT_EQ(program.tick_ns, built_in.tick_ns);
}

// Percentiles by nearest rank, whatever order the delays come in.
TEST(Latency, SummaryTakesNearestRanks) {
  struct summary_case {
    std::vector<double> delays;
    double p50, p95, max;
  };
  std::vector<double> twenty;
  for (int i = 20; i >= 1; --i) twenty.push_back(i);
  const summary_case cases[] = {
      {{7.0}, 7.0, 7.0, 7.0},
      {{3.0, 1.0, 2.0}, 2.0, 3.0, 3.0},
      {{4.0, 1.0, 3.0, 2.0}, 2.0, 4.0, 4.0},
      {twenty, 10.0, 19.0, 20.0},
  };
  for (const summary_case& c : cases) {
    SCOPED_TRACE(c.delays.size());
    const latency::summary got = latency::summarise(c.delays);
    EXPECT_EQ(got.p50, c.p50);
    EXPECT_EQ(got.p95, c.p95);
    EXPECT_EQ(got.max, c.max);
  }
}

}  // namespace
