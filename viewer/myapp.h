// The viewer application.
#pragma once

#include "framework/app.h"
#include "framework/clock.h"

class myapp : public app<win> {
 public:
  std::int32_t on_start() override {
    frame_timer.period = 10000000;  // 10 ms
    frame_timer.origin = now_ns();
    frame_timer.next = 0;
    frame_timer_enabled = true;
    return handled;
  }
};
