// The viewer application.
#pragma once

#include "framework/toy_app.h"
#include "framework/clock.h"

class myapp : public toy_app<win> {
 public:
  std::int32_t on_start() override {
    window.set_title(TEXT("Warblet - hear what you see"));
    window.set_mode(500.0, 400.0, win::resizable);
    frame_timer.period = 10000000;  // 10 ms
    frame_timer.origin = now_ns();
    frame_timer.next = 0;
    frame_timer_enabled = true;
    return handled;
  }
};
