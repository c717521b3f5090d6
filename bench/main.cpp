// Runs the benchmarks, then sets the figures against their targets: the FFT's
// time as a multiple of FFTW's, and a column's cost as a share of one core at
// the live rate of 62.5 columns per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The console report, remembering each benchmark's median CPU time in seconds.
class median_reporter : public benchmark::ConsoleReporter {
 public:
  // Plain text, so that the report reads the same in a file or a log.
  median_reporter() : ConsoleReporter(OO_None) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      const benchmark::BenchmarkName& name = run.run_name;
      medians_[name.args.empty() ? name.function_name : name.function_name + "/" + name.args] = seconds;
    }
  }

  // The time of a benchmark that ran, or 0.
  double seconds(const std::string& name) const {
    const auto found = medians_.find(name);
    return found == medians_.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> medians_;
};

void print_summary(const median_reporter& times) {
  const double ours = times.seconds("fft_transform");
  const double fftw = times.seconds("fftw_r2c/plain");
  const double fftw_polar = times.seconds("fftw_r2c/with_polar");
  std::printf("\nMedian CPU times\n");
  if (ours > 0 && fftw > 0)
    std::printf("FFT::transform, n = 1024: %.3f us; FFTW r2c: %.3f us; ratio %.2f\n", ours * 1e6, fftw * 1e6,
                ours / fftw);
  const double complex_part = times.seconds("fft_complex_transform");
  if (complex_part > 0)
    std::printf("of which the 512-point complex transform: %.3f us\n", complex_part * 1e6);
  const double polar = times.seconds("polar_step");
  if (polar > 0 && fftw > 0)
    std::printf("the polar step alone (magnitude and phase of 513 bins): %.3f us, %.2f times FFTW r2c\n",
                polar * 1e6, polar / fftw);
  if (ours > 0 && fftw_polar > 0)
    std::printf("FFTW r2c with magnitude and phase: %.3f us; ratio %.2f\n", fftw_polar * 1e6,
                ours / fftw_polar);
  const double fftw_lanes = times.seconds("fftw_r2c/with_lane_polar");
  if (ours > 0 && fftw_lanes > 0)
    std::printf("FFTW r2c with the same two-lane polar step: %.3f us; ratio %.2f (target at most 2)\n",
                fftw_lanes * 1e6, ours / fftw_lanes);
  for (const char* height : {"400", "1080"}) {
    const double column = times.seconds(std::string("column/") + height);
    if (column > 0)
      std::printf(
          "column, height %s: %.3f us; at 62.5 columns/s %.4f%% of one core (target under 0.1%% at 1080)\n",
          height, column * 1e6, column * 62.5 * 100.0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  median_reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  print_summary(reporter);
  benchmark::Shutdown();
  return 0;
}
