// The SDL2 host's audio capture.
//
// Implements from host.h: audio_capture, on SDL's default capture device.
//   - SDL's audio subsystem starts with the first capture opened and stops with
//     SDL_Quit; a failure to start it or to open the device is the "no
//     microphone" case, reported with SDL's reason.
//   - The device is opened at the requested rate and channel count of
//     AUDIO_S16SYS with no changes allowed, so SDL converts whatever the sound
//     server delivers.
//   - SDL's audio thread only appends to a bounded queue under the device lock;
//     the program's thread takes samples out. When the program falls behind by
//     more than the queue holds, the oldest samples are dropped and counted.
//   - A device that goes away (the sound server stopped or restarted, the card
//     pulled) is opened again: see capture_keeper below.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/portable/seam/host.h"

namespace portable {

std::unique_ptr<audio_capture> open_sdl_capture(std::int32_t rate, std::int32_t channels, std::string& error);

// A capture device as capture_keeper sees it.
class reopenable_device {
 public:
  virtual ~reopenable_device() = default;
  // False once the device has stopped delivering for good.
  virtual bool alive() = 0;
  // Lets go of what is left of the device and opens the default one again, at
  // the first format; false with the reason in `error`.
  virtual bool reopen(std::string& error) = 0;
};

// Keeps a capture going across the loss of its device, on the program's
// thread, from the calls that look for samples anyway: no thread of its own
// and no busy loop. A lost device is said once on `log`, then opened again
// about once a second until that works, which is said once too. Tries are
// held back while they have cost more than a thousandth of the time the
// device has been gone in processor time (some drivers spend milliseconds
// failing to find their server); time spent waiting for a server does not
// count. The wave input handle stays open throughout; the samples the device
// would have delivered in between are reported for the drop counter.
class capture_keeper {
 public:
  static constexpr std::uint64_t retry_ms = 1000;
  static constexpr std::uint64_t idle_per_busy = 1000;

  // `clock` reads a monotonic clock in milliseconds, `processor_clock` the
  // processor time the calling thread has used, in microseconds.
  capture_keeper(std::int32_t rate, std::int32_t channels, std::FILE* log,
                 std::function<std::uint64_t()> clock, std::function<std::uint64_t()> processor_clock)
      : rate(rate),
        channels(channels),
        log(log),
        clock(std::move(clock)),
        processor_clock(std::move(processor_clock)) {}

  // Looks at the device; returns how many samples went missing when the
  // device has just come back, else 0.
  std::uint64_t check(reopenable_device& device);
  bool lost() const { return lost_since_ms.has_value(); }

 private:
  std::int32_t rate, channels;
  std::FILE* log;
  std::function<std::uint64_t()> clock, processor_clock;
  std::optional<std::uint64_t> lost_since_ms;
  std::uint64_t next_try_ms = 0;
  std::uint64_t spent_us = 0;  // processor time the tries took since the device was lost
};

}  // namespace portable
