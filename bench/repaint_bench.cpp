// The cost of repainting the whole picture once: the viewer's paint of its
// full client area (DrawDibDraw of the image into the window, then the subset
// handing the pixels to the host), at 500 x 400 and at 1920 x 1080. Runs on
// the scripted host, whose present copies the pixels as a screen would take
// them; the real host's XPutImage adds the display server's side.
#include <benchmark/benchmark.h>

#include "tests/support/scripted_host.h"
#include "viewer/myapp.h"

namespace {

void full_repaint(benchmark::State& state) {
  scripted::host host;
  myapp app;
  app.on_start();
  app.window.set_mode(static_cast<double>(state.range(0)), static_cast<double>(state.range(1)),
                      win::resizable);
  if (app.window.create_window() != 0) {
    state.SkipWithError("no window");
    return;
  }
  app.desktop.pump_messages(app.waiter);
  if (!app.ready) {
    state.SkipWithError("the pipeline did not configure");
    return;
  }
  host.forget_logs();
  std::size_t presented = 0;
  for (auto _ : state) {
    InvalidateRect(app.window.handle, nullptr, FALSE);
    UpdateWindow(app.window.handle);
    // The subset hands what was drawn to the host as the program waits.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    presented += host.presents().size();
    host.forget_logs();
  }
  if (presented < static_cast<std::size_t>(state.iterations()))
    state.SkipWithError("a repaint was not presented");
  app.window.destroy_window();
}

}  // namespace

BENCHMARK(full_repaint)
    ->Args({500, 400})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
