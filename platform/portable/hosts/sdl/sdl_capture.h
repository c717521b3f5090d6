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
//   - A device that goes away (SDL_AUDIODEVICEREMOVED) simply stops delivering.
#pragma once

#include <memory>
#include <string>

#include "platform/portable/seam/host.h"

namespace portable {

std::unique_ptr<audio_capture> open_sdl_capture(std::int32_t rate, std::int32_t channels, std::string& error);

}  // namespace portable
