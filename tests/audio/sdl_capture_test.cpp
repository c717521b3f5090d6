// The SDL2 host's capture, on SDL's file-reading "disk" audio driver: what the
// file holds reaches the waveIn buffers in order, in real time, without a gap.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/portable/hosts/sdl/sdl_host.h"
#include "platform/win32.h"
#include "tests/audio/samples.h"

namespace {

// A file of samples 0, 1, 2, ... that SDL's disk driver plays as the microphone.
class DiskMicrophone : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/warblet-disk-mic.XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    path = name;
    const std::vector<std::int16_t> numbers = numbered(4000);
    FILE* file = fdopen(fd, "wb");
    ASSERT_EQ(std::fwrite(numbers.data(), 2, numbers.size(), file), numbers.size());
    std::fclose(file);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILEIN", path.c_str(), 1);

    std::string error;
    host = portable::sdl_host::open(error);
    ASSERT_TRUE(host) << error;
    portable::install_host(host.get());
  }
  void TearDown() override {
    portable::install_host(nullptr);
    host.reset();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILEIN");
    std::remove(path.c_str());
  }

  std::string path;
  std::unique_ptr<portable::sdl_host> host;
};

TEST_F(DiskMicrophone, WaveInBuffersFillFromIt) {
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
  HWAVEIN handle = nullptr;
  ASSERT_EQ(waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  std::vector<std::int16_t> data(720);
  WAVEHDR headers[3] = {};
  for (int i = 0; i < 3; ++i) {
    headers[i].lpData = reinterpret_cast<LPSTR>(&data[i * 240]);
    headers[i].dwBufferLength = 480;
    ASSERT_EQ(waveInPrepareHeader(handle, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveInAddBuffer(handle, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  ASSERT_EQ(waveInStart(handle), MMSYSERR_NOERROR);
  for (int i = 0; i < 500 && !(headers[2].dwFlags & WHDR_DONE); ++i) Sleep(10);

  for (const WAVEHDR& header : headers) EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
  // The device may have started before waveInStart; whatever came first was
  // dropped, and the buffers hold what followed, without a gap.
  for (std::size_t i = 1; i < data.size(); ++i) ASSERT_EQ(data[i], data[i - 1] + 1) << i;
  // What was dropped were whole blocks of 240, so every buffer ends with a block.
  EXPECT_EQ(data[0] % 240, 0) << data[0];
  EXPECT_EQ(portable::wave_in_dropped(handle), 0u);
  EXPECT_EQ(waveInClose(handle), MMSYSERR_NOERROR);
}

// A queued buffer completes only when the block holding its last sample has
// come: blocks as long as the program's 30 ms buffers end with them.
TEST_F(DiskMicrophone, SamplesArriveInBlocksOfThirtyMilliseconds) {
  struct rate_case {
    std::int32_t rate;
    std::size_t block;
  };
  const rate_case cases[] = {{8000, 240}, {16000, 480}, {44100, 1323}};
  for (const rate_case& c : cases) {
    SCOPED_TRACE(c.rate);
    std::string error;
    std::unique_ptr<portable::audio_capture> capture = host->open_capture(c.rate, 1, error);
    ASSERT_TRUE(capture) << error;
    std::vector<std::int16_t> samples(8192);
    std::vector<std::size_t> arrivals;
    for (int i = 0; i < 200; ++i) {
      if (const std::size_t n = capture->read(samples.data(), samples.size())) arrivals.push_back(n);
      SDL_Delay(1);
    }
    ASSERT_FALSE(arrivals.empty());
    // Reads a millisecond apart see each block alone, unless the test was held up.
    for (std::size_t n : arrivals) EXPECT_EQ(n % c.block, 0u) << n;
    EXPECT_EQ(*std::min_element(arrivals.begin(), arrivals.end()), c.block);
  }
}

TEST(SdlCapture, NoAudioDriverFailsWithAReason) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::string error;
  std::unique_ptr<portable::sdl_host> host = portable::sdl_host::open(error);
  ASSERT_TRUE(host) << error;
  EXPECT_FALSE(host->open_capture(8000, 1, error));
  EXPECT_NE(error.find("cannot start SDL audio: "), std::string::npos) << error;
  EXPECT_GT(error.size(), std::string("cannot start SDL audio: ").size()) << error;
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
