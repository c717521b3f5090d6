// The SDL2 host's clock, waiting and events, on the real SDL library, and what
// it does where there is no display, and which native output takes its windows.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/portable/hosts/sdl/sdl_host.h"

// After GoogleTest's headers: SDL's window-system header brings Xlib's macros
// (None, Bool), which would break them.
#include <SDL_syswm.h>

namespace {

class SdlHost : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host = portable::sdl_host::open(error);
    ASSERT_TRUE(host) << error;
  }
  std::unique_ptr<portable::sdl_host> host;
};

TEST_F(SdlHost, CounterMovesForwardAtItsFrequency) {
  const std::int64_t frequency = host->counter_frequency();
  ASSERT_GT(frequency, 0);
  const std::int64_t before = host->counter();
  host->sleep(2);
  const std::int64_t elapsed = host->counter() - before;
  EXPECT_GE(elapsed, frequency * 2 / 1000);  // at least the 2 ms slept
}

TEST_F(SdlHost, WaitEndsOnTimeoutOrOnAPendingEvent) {
  portable::host_event event;
  while (host->next_event(event)) {
  }
  EXPECT_EQ(host->wait_for_input(1), portable::host::wake::timeout);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  EXPECT_EQ(host->wait_for_input(-1), portable::host::wake::input);
  ASSERT_TRUE(host->next_event(event));
  EXPECT_EQ(event.type, portable::host_event::kind::close_requested);
  EXPECT_FALSE(host->next_event(event));
}

// Sets an environment variable (or clears it, for null) until the end of the scope.
class environment_override {
 public:
  environment_override(const char* name, const char* value) : name(name) {
    if (const char* old = std::getenv(name)) before = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~environment_override() { before ? setenv(name, before->c_str(), 1) : unsetenv(name); }

 private:
  const char* name;
  std::optional<std::string> before;
};

TEST(SdlHostWithoutDisplay, StartsButMakesNoWindowUnlessToldToDrawNowhere) {
  const environment_override no_x("DISPLAY", nullptr), no_wayland("WAYLAND_DISPLAY", nullptr);
  for (const char* driver : {static_cast<const char*>(nullptr), "dummy"}) {
    SCOPED_TRACE(driver ? driver : "no driver named");
    const environment_override chosen("SDL_VIDEODRIVER", driver);
    std::string error;
    const std::unique_ptr<portable::sdl_host> host = portable::sdl_host::open(error);
    ASSERT_TRUE(host) << error;
    portable::window_spec spec;
    spec.width = 64;
    spec.height = 48;
    const portable::native_window w = host->create_window(spec, error);
    if (driver) {
      // A headless run that asked for it gets a window that shows nothing.
      EXPECT_NE(w, 0u) << error;
      continue;
    }
    EXPECT_EQ(w, 0u);
    EXPECT_EQ(error.rfind("cannot open a display: ", 0), 0u) << error;
    std::string again;
    EXPECT_EQ(host->create_window(spec, again), 0u);
    EXPECT_EQ(again, error);
    EXPECT_EQ(host->monitors().size(), 1u);
    EXPECT_FALSE(host->message_box("Warblet", "no display"));
  }
}

// A native output that records what the host hands it, and asks for a window
// to be presented again on one particular system event.
struct recorded_calls {
  int before_video = 0, video_started = 0, outputs_made = 0, presents = 0, scrolls = 0;
};
recorded_calls recorded;
// The subsystem of the system events the output claims.
constexpr SDL_SYSWM_TYPE claimed_subsystem = SDL_SYSWM_WINDOWS;

class recording_output final : public portable::native_output {
 public:
  void present(const std::uint32_t*, int, int, int, const portable::screen_rect&) override {
    ++recorded.presents;
  }
  void scroll(const portable::screen_rect&, int, int) override { ++recorded.scrolls; }
  void flush() override {}
  bool wait_for_news(int) override { return false; }
  bool must_present_again(const SDL_Event& e) override { return e.syswm.msg->subsystem == claimed_subsystem; }
};

portable::native_video recording_video(const char* driver) {
  return {driver, [] { ++recorded.before_video; },
          [] {
            ++recorded.video_started;
            SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
          },
          [](SDL_Window*) -> std::unique_ptr<portable::native_output> {
            ++recorded.outputs_made;
            return std::make_unique<recording_output>();
          }};
}

TEST(SdlHostNativeOutput, OnlyTheOutputForTheDriverSdlPickedTakesTheWindows) {
  struct driver_case {
    const char* output_driver;  // SDL runs "dummy"
    bool used;
  };
  for (const driver_case& c : {driver_case{"dummy", true}, driver_case{"x11", false}}) {
    SCOPED_TRACE(c.output_driver);
    const environment_override chosen("SDL_VIDEODRIVER", "dummy");
    recorded = {};
    const portable::native_video video = recording_video(c.output_driver);
    std::string error;
    std::unique_ptr<portable::sdl_host> host = portable::sdl_host::open(error, {&video});
    ASSERT_TRUE(host) << error;
    portable::window_spec spec;
    spec.width = 64;
    spec.height = 48;
    const portable::native_window w = host->create_window(spec, error);
    ASSERT_NE(w, 0u) << error;
    EXPECT_EQ(recorded.before_video, 1);
    EXPECT_EQ(recorded.video_started, c.used ? 1 : 0);
    EXPECT_EQ(recorded.outputs_made, c.used ? 1 : 0);

    const std::vector<std::uint32_t> picture(64 * 48, 0x102030u);
    host->present(w, picture.data(), 64, 48, 64, portable::screen_rect{0, 0, 64, 48});
    EXPECT_EQ(recorded.presents, c.used ? 1 : 0);
    EXPECT_EQ(host->scroll_shown(w, portable::screen_rect{0, 0, 60, 48}, -4, 0), c.used);
    EXPECT_EQ(recorded.scrolls, c.used ? 1 : 0);

    if (c.used) {
      // Only the event the output claims makes the window exposed.
      for (const SDL_SYSWM_TYPE subsystem : {SDL_SYSWM_UNKNOWN, claimed_subsystem}) {
        SDL_SysWMmsg msg{};
        msg.subsystem = subsystem;
        SDL_Event e{};
        e.type = SDL_SYSWMEVENT;
        e.syswm.msg = &msg;  // SDL copies the message into its queue
        ASSERT_EQ(SDL_PushEvent(&e), 1);
      }
      std::vector<portable::host_event> events;
      portable::host_event event;
      while (host->next_event(event)) events.push_back(event);
      ASSERT_EQ(events.size(), 1u);
      EXPECT_EQ(events[0].type, portable::host_event::kind::exposed);
      EXPECT_EQ(events[0].window, w);
    }
    host->destroy_window(w);
  }
}

}  // namespace
