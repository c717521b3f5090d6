// The SDL2 host's clock, waiting and events, on the real SDL library.
#include <SDL.h>
#include <gtest/gtest.h>

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

}  // namespace
