#include "platform/portable/hosts/sdl/sdl_capture.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <ctime>

#include "platform/portable/seam/sample_fifo.h"

namespace portable {

std::uint64_t capture_keeper::check(reopenable_device& device) {
  if (!lost_since_ms && device.alive()) return 0;  // the common case, read at every wake-up
  const std::uint64_t now_ms = clock();
  if (!lost_since_ms) {
    lost_since_ms = now_ms;
    next_try_ms = now_ms + retry_ms;
    std::fprintf(log, "warblet: the capture device is gone; trying to open it again every second\n");
    std::fflush(log);
    return 0;
  }
  if (now_ms < next_try_ms) return 0;
  const std::uint64_t allowed_us = (now_ms - *lost_since_ms) * 1000 / idle_per_busy;
  if (spent_us > allowed_us) return 0;
  std::string error;
  const std::uint64_t busy_before_us = processor_clock();
  const bool back = device.reopen(error);
  spent_us += processor_clock() - busy_before_us;
  const std::uint64_t done_ms = clock();
  if (!back) {
    next_try_ms = done_ms + retry_ms;
    return 0;
  }
  const std::uint64_t gap_ms = done_ms - *lost_since_ms;
  lost_since_ms.reset();
  spent_us = 0;
  std::fprintf(log, "warblet: capture resumed after %.1f s\n", static_cast<double>(gap_ms) / 1000.0);
  std::fflush(log);
  const std::uint64_t frames = gap_ms * static_cast<std::uint64_t>(rate) / 1000;
  return frames * static_cast<std::uint64_t>(channels);
}

namespace {

// The program's thread alone: the audio threads of other devices do not count.
std::uint64_t thread_processor_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<std::uint64_t>(t.tv_sec) * 1000000 + static_cast<std::uint64_t>(t.tv_nsec) / 1000;
}

class sdl_capture final : public audio_capture, private reopenable_device {
 public:
  sdl_capture(std::int32_t rate, std::int32_t channels)
      : fifo(rate, channels),
        keeper(
            rate, channels, stderr, [] { return SDL_GetTicks64(); }, thread_processor_us),
        rate(rate),
        channels(channels) {
    ++open_captures;
  }

  ~sdl_capture() override {
    --open_captures;
    // After SDL_Quit the device is already gone with the audio subsystem.
    if (device != 0 && SDL_WasInit(SDL_INIT_AUDIO)) SDL_CloseAudioDevice(device);
  }

  bool open(std::string& error) {
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
    // The driver is started again by name when the device has to be opened again.
    if (const char* name = SDL_GetCurrentAudioDriver()) driver = name;
    SDL_PauseAudioDevice(device, 0);
    return true;
  }

  std::size_t read(std::int16_t* out, std::size_t max_samples) override {
    // The subset looks many times between two blocks of sound: without the
    // lock when nothing came.
    if (!waiting.load(std::memory_order_acquire)) {
      keep_going();
      return 0;
    }
    SDL_LockAudioDevice(device);
    const std::size_t n = fifo.pop(out, max_samples);
    if (fifo.size() == 0) waiting.store(false, std::memory_order_relaxed);
    SDL_UnlockAudioDevice(device);
    return n;
  }

  std::uint64_t dropped() const override {
    if (device == 0) return fifo.dropped();
    SDL_LockAudioDevice(device);
    const std::uint64_t n = fifo.dropped();
    SDL_UnlockAudioDevice(device);
    return n;
  }

 private:
  void keep_going() {
    const std::uint64_t missed = keeper.check(*this);
    if (missed == 0) return;
    SDL_LockAudioDevice(device);
    fifo.count_dropped(missed);
    SDL_UnlockAudioDevice(device);
  }

  bool alive() override { return device != 0 && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_PLAYING; }

  // A sound server that went away takes SDL's connection to it along, which
  // SDL does not make again by itself: the driver is started afresh.
  // Another capture still open would lose its device with the driver, and
  // SDL could hand its number to this one: then only the device is reopened.
  bool reopen(std::string& error) override {
    if (device != 0) SDL_CloseAudioDevice(device);
    device = 0;
    if (open_captures > 1) return open(error);
    SDL_AudioQuit();
    if (SDL_AudioInit(driver.empty() ? nullptr : driver.c_str()) != 0) {
      error = SDL_GetError();
      return false;
    }
    return open(error);
  }

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
  capture_keeper keeper;
  std::int32_t rate, channels;
  std::string driver;                   // the SDL audio driver the device was first opened with
  std::atomic<bool> waiting{false};     // samples in the queue; set and cleared under SDL's device lock
  SDL_AudioDeviceID device = 0;         // 0 while lost and not yet opened again
  static inline int open_captures = 0;  // on the program's thread only
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
  if (!capture->open(error)) return nullptr;
  return capture;
}

}  // namespace portable
