// The SDL2 host's clock, waiting and events, on the real SDL library, and what
// it does where there is no display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/portable/sdl/sdl_host.h"

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

}  // namespace
