#include "platform/portable/sdl/sdl_capture.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>

#include "platform/portable/sample_fifo.h"

namespace portable {
namespace {

class sdl_capture final : public audio_capture {
 public:
  sdl_capture(std::int32_t rate, std::int32_t channels) : fifo(rate, channels) {}

  ~sdl_capture() override {
    // After SDL_Quit the device is already gone with the audio subsystem.
    if (device != 0 && SDL_WasInit(SDL_INIT_AUDIO)) SDL_CloseAudioDevice(device);
  }

  bool open(std::int32_t rate, std::int32_t channels, std::string& error) {
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    // A buffer the program queued completes only when the block holding its
    // last sample has come. Blocks as long as the program's 30 ms buffers
    // (240 samples at 8000 Hz) end with them: waveIn counts from the start of
    // a block, as everything before waveInStart goes in whole blocks, so each
    // buffer completes the moment its last sample arrives, with no more
    // wake-ups of SDL's thread than the buffers themselves ask for.
    wanted.samples = static_cast<Uint16>(std::max(rate * 3 / 100, 1));
    wanted.callback = &sdl_capture::arrived;
    wanted.userdata = this;
    SDL_AudioSpec obtained;
    device = SDL_OpenAudioDevice(nullptr, 1, &wanted, &obtained, 0);
    if (device == 0) {
      error = std::string("cannot open the default capture device: ") + SDL_GetError();
      return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
  }

  std::size_t read(std::int16_t* out, std::size_t max_samples) override {
    // The subset looks many times between two blocks of sound: without the
    // lock when nothing came.
    if (!waiting.load(std::memory_order_acquire)) return 0;
    SDL_LockAudioDevice(device);
    const std::size_t n = fifo.pop(out, max_samples);
    if (fifo.size() == 0) waiting.store(false, std::memory_order_relaxed);
    SDL_UnlockAudioDevice(device);
    return n;
  }

  std::uint64_t dropped() const override {
    SDL_LockAudioDevice(device);
    const std::uint64_t n = fifo.dropped();
    SDL_UnlockAudioDevice(device);
    return n;
  }

 private:
  // On SDL's audio thread, with the device locked. Once the device is gone
  // (the sound server stopped, the card was pulled) SDL goes on calling back
  // with silence; that is not audio the microphone heard, so it is not kept.
  static void SDLCALL arrived(void* self, Uint8* stream, int length) {
    sdl_capture& capture = *static_cast<sdl_capture*>(self);
    if (SDL_GetAudioDeviceStatus(capture.device) != SDL_AUDIO_PLAYING) return;
    capture.fifo.push(reinterpret_cast<const std::int16_t*>(stream), static_cast<std::size_t>(length) / 2);
    capture.waiting.store(true, std::memory_order_release);
  }

  sample_fifo fifo;
  std::atomic<bool> waiting{false};  // samples in the queue; set and cleared under SDL's device lock
  SDL_AudioDeviceID device = 0;
};

}  // namespace

std::unique_ptr<audio_capture> open_sdl_capture(std::int32_t rate, std::int32_t channels,
                                                std::string& error) {
  if (channels < 1 || channels > 8) {
    error = "SDL captures 1 to 8 channels, not " + std::to_string(channels);
    return nullptr;
  }
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error = std::string("cannot start SDL audio: ") + SDL_GetError();
    return nullptr;
  }
  auto capture = std::make_unique<sdl_capture>(rate, channels);
  if (!capture->open(rate, channels, error)) return nullptr;
  return capture;
}

}  // namespace portable
