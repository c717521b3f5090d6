// Prints how soon a tone shows on the whole program in virtual time, over
// random onsets, beside the floor that the capture buffer, hop and frame tick
// sizes set.
//
// Usage: latency_report [ONSETS] [SEED]   (default 400 onsets, seed 1)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/latency/onset_latency.h"

int main(int argc, char** argv) {
  const int onsets = argc > 1 ? std::atoi(argv[1]) : 400;
  const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
  if (onsets < 1) {
    std::fprintf(stderr, "latency_report: ONSETS must be a positive number, not %s\n", argv[1]);
    return 2;
  }
  const latency::design d = latency::program_design();
  const latency::summary floor = latency::summarise(latency::floor_delays(d));
  const latency::summary measured = latency::summarise(latency::measured_delays(onsets, seed));
  std::printf("design: %d Hz, buffers of %d samples, hops of %d samples, frame tick %.1f ms\n", d.rate,
              d.buffer_frames, d.hop_size, static_cast<double>(d.tick_ns) / 1e6);
  std::printf("%-28s %8s %8s %8s\n", "tone to screen, ms", "p50", "p95", "max");
  std::printf("%-28s %8.1f %8.1f %8.1f\n", "floor (uniform phases)", floor.p50, floor.p95, floor.max);
  std::printf("%-28s %8.1f %8.1f %8.1f\n", ("program, " + std::to_string(onsets) + " onsets").c_str(),
              measured.p50, measured.p95, measured.max);
  return 0;
}
