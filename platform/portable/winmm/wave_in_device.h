// An open wave input device: the host's capture and the buffers the program
// has handed to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/portable/seam/handle_table.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/process_state.h"
#include "platform/portable/winmm/winmm.h"

namespace portable {

struct wave_in_device {
  // Made by the host that was installed when the device was opened; it can be
  // closed after that host is gone.
  std::unique_ptr<audio_capture> capture;
  std::size_t frame_samples = 0;  // samples per frame: one per channel
  bool started = false;
  std::deque<WAVEHDR*> queue;         // the buffers handed to the device, oldest first
  std::vector<std::int16_t> scratch;  // whole frames, so that reads never split one
};

using wave_in_table = handle_table<wave_in_device, HWAVEIN>;

// winmm's part of the process state. Whenever the program enters the platform,
// what the host has captured goes into the devices' queued buffers.
struct wave_in_devices : process_part {
  wave_in_table open;
  void on_platform_entered() override;
};

}  // namespace portable
