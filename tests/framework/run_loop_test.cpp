// The run loop's order of client calls, its ends, and the application's cleanup,
// on the scripted host with a window and a client that record what happens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/app.h"
#include "platform/portable/user32/window_registry.h"
#include "tests/support/scripted_host.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr std::int64_t ms = 1000000;

std::vector<std::string>* journal = nullptr;
void note(const std::string& entry) { journal->push_back(entry); }
std::int32_t noted(const std::string& entry, std::int32_t result = not_handled) {
  note(entry);
  return result;
}

// A window whose creation succeeds without a platform window; it records the
// calls the loop makes on it.
class recording_window : public win {
 public:
  using win::win;
  std::int32_t create_window() {
    note("create_window");
    created = created_ok;
    return created_ok ? 0 : 1;
  }
  void destroy_window() {
    note("destroy_window");
    win::destroy_window();
  }
  bool redraw_continuously() override { return continuous; }
  std::int32_t begin_draw(std::int32_t from_loop) override {
    return noted("begin_draw " + std::to_string(from_loop), 0);
  }
  std::int32_t end_draw(std::int32_t from_loop) override {
    return noted("end_draw " + std::to_string(from_loop), 0);
  }

  bool created_ok = true;
  bool continuous = false;
};

class recording_app : public app<recording_window> {
 public:
  std::int32_t on_start() override { return noted(window.created ? "on_start after a window" : "on_start"); }
  std::int32_t on_iteration() override {
    note("on_iteration");
    ++passes;
    if (passes == quit_on_pass) PostQuitMessage(0);
    return not_handled;
  }
  std::int32_t on_frame() override { return noted("on_frame", frame_result); }
  std::int32_t on_draw() override { return noted("on_draw"); }
  std::int32_t on_before_wait() override { return noted("on_before_wait"); }
  std::int32_t on_destroy() override { return noted("on_destroy"); }
  std::int32_t on_stop() override { return noted("on_stop"); }

  void start_frames(std::int64_t origin) {
    frame_timer = {10 * ms, origin, 0};
    frame_timer_enabled = true;
  }

  int passes = 0;
  int quit_on_pass = -1;
  std::int32_t frame_result = not_handled;
};

class RunLoop : public ::testing::Test {
 protected:
  RunLoop() {
    journal = &entries;
    host.on_wait = [](const scripted::wait_record& w) {
      note(w.timeout_ms < 0 ? "wait" : "wait " + std::to_string(w.timeout_ms) + " ms");
    };
  }
  ~RunLoop() override { journal = nullptr; }

  std::vector<std::string> entries;
  scripted::host host;
};

LRESULT CALLBACK noting_procedure(HWND, UINT message, WPARAM, LPARAM) {
  note("dispatch " + std::to_string(message));
  return 0;
}

TEST_F(RunLoop, EachPassIteratesDrawsPumpsPreparesAndWaits) {
  recording_app a;
  host.set_now(100 * ms);
  a.start_frames(100 * ms + 3 * ms);  // the first frame 3 ms after start-up
  const HWND target = portable::register_window(noting_procedure);
  host.at(105 * ms, [target] { PostMessageW(target, WM_USER, 0, 0); });
  host.post_quit_at(116 * ms);

  EXPECT_EQ(a.run(0, nullptr), 0);
  portable::unregister_window(target);

  EXPECT_THAT(entries, ElementsAreArray<std::string>(
                           {"on_start", "create_window",
                            // 100 ms: no frame due yet; the wait ends at the first frame
                            "on_iteration", "on_before_wait", "wait 3 ms",
                            // 103 ms: the first frame; the next is due at 113 ms
                            "on_iteration", "on_frame", "begin_draw 1", "on_draw", "end_draw 1",
                            "on_before_wait", "wait 10 ms",
                            // 105 ms: the posted message wakes the loop and is dispatched by the pump
                            "on_iteration", "dispatch 1024", "on_before_wait", "wait 8 ms",
                            // 113 ms: a frame
                            "on_iteration", "on_frame", "begin_draw 1", "on_draw", "end_draw 1",
                            "on_before_wait", "wait 10 ms",
                            // 116 ms: the quit message ends the pump; no wait follows
                            "on_iteration", "on_before_wait", "destroy_window", "on_destroy", "on_stop"}));
}

TEST_F(RunLoop, OnlyAnUnhandledFrameRunsTheDefaultFrame) {
  struct frame_case {
    std::int32_t frame_result;
    bool drawn;
  };
  for (const frame_case c :
       {frame_case{not_handled, true}, frame_case{handled, false}, frame_case{1, false}}) {
    SCOPED_TRACE(c.frame_result);
    entries.clear();
    recording_app a;
    a.frame_result = c.frame_result;
    a.start_frames(host.now());
    a.quit_on_pass = 1;
    EXPECT_EQ(a.run(0, nullptr), 0);
    EXPECT_THAT(entries, Contains("on_frame"));
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "on_draw"), c.drawn ? 1 : 0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "begin_draw 1"), c.drawn ? 1 : 0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "end_draw 1"), c.drawn ? 1 : 0);
  }
}

TEST_F(RunLoop, WithoutTheFrameTimerNoFrameIsDrawnAndOnlyInputIsAwaited) {
  recording_app a;
  host.post_quit_at(40 * ms);
  EXPECT_EQ(a.run(0, nullptr), 0);
  EXPECT_THAT(entries, Not(Contains("on_frame")));
  EXPECT_THAT(entries, Not(Contains("begin_draw 1")));
  ASSERT_EQ(host.waits().size(), 1u);
  EXPECT_EQ(host.waits()[0].timeout_ms, -1);  // no frame deadline
}

TEST_F(RunLoop, ContinuousRedrawDrawsEveryPassWithoutWaiting) {
  recording_app a;
  a.window.continuous = true;
  a.start_frames(host.now() + 1000 * ms);  // the schedule is not consulted
  a.quit_on_pass = 3;
  EXPECT_EQ(a.run(0, nullptr), 0);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "on_frame"), 3);
  EXPECT_TRUE(host.waits().empty());
}

TEST_F(RunLoop, AFailedWaitEndsTheRunNormally) {
  recording_app a;  // no frame timer, nothing scheduled: the wait cannot end
  EXPECT_EQ(a.run(0, nullptr), 0);
  EXPECT_TRUE(host.stalled());
  EXPECT_THAT(entries, ElementsAre("on_start", "create_window", "on_iteration", "on_before_wait", "wait",
                                   "destroy_window", "on_destroy", "on_stop"));
}

TEST_F(RunLoop, NoWindowAtStartUpEndsTheRunWithAMessageAndCodeOne) {
  recording_app a;
  a.window.created_ok = false;
  EXPECT_EQ(a.run(0, nullptr), 1);
  EXPECT_THAT(entries, ElementsAre("on_start", "create_window", "destroy_window", "on_stop"));
  ASSERT_EQ(host.message_boxes().size(), 1u);
  EXPECT_THAT(host.message_boxes()[0].text, ::testing::HasSubstr("No window could be created"));
}

TEST_F(RunLoop, WithNoDisplayThePlainWindowFailsAndTheRunSaysSo) {
  host.fail_window_creation = true;
  app<win> a;
  EXPECT_EQ(a.run(0, nullptr), 1);
  EXPECT_EQ(a.window.create_result, 1);
  EXPECT_EQ(host.message_boxes().size(), 1u);
  EXPECT_TRUE(host.waits().empty());
}

TEST_F(RunLoop, ArgumentsAreKept) {
  recording_app a;
  a.quit_on_pass = 1;
  WCHAR first[] = u"warblet";
  WCHAR* argv[] = {first, nullptr};
  a.run(1, argv);
  EXPECT_EQ(a.arg_count, 1);
  EXPECT_EQ(a.arg_vector, argv);
}

TEST(Application, DestructorRestoresTheCursorBalance) {
  scripted::host host;
  for (const std::int32_t balance : {0, -2, 1}) {
    SCOPED_TRACE(balance);
    const int before = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    {
      app<win> a;
      for (int i = 0; i < balance; ++i) ShowCursor(TRUE);
      for (int i = 0; i > balance; --i) ShowCursor(FALSE);
      a.desktop.cursor_count = balance;
    }
    EXPECT_EQ(ShowCursor(TRUE) - 1, before);
    ShowCursor(FALSE);
    EXPECT_TRUE(host.cursor_visible());
  }
}

}  // namespace
