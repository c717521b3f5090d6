// The portable waveIn on the scripted host: what reaches the buffers and when,
// the formats it takes, and a microphone that is missing.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/win32.h"
#include "tests/audio/samples.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr std::int64_t ms = 1000000;

WAVEFORMATEX pcm(WORD channels, DWORD rate) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = channels;
  f.nSamplesPerSec = rate;
  f.wBitsPerSample = 16;
  f.nBlockAlign = static_cast<WORD>(channels * 2);
  f.nAvgBytesPerSec = rate * f.nBlockAlign;
  return f;
}

// An open device with `count` queued buffers of `samples` each, hearing the
// samples 0, 1, 2, ... at 8000 Hz from the moment it opened.
struct numbered_capture {
  numbered_capture(scripted::host& host, std::size_t count, DWORD samples)
      : data(count, std::vector<std::int16_t>(samples)), headers(count) {
    host.microphone().play(numbered(8000), 8000);
    const WAVEFORMATEX format = pcm(1, 8000);
    EXPECT_EQ(waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    for (std::size_t i = 0; i < count; ++i) {
      headers[i].lpData = reinterpret_cast<LPSTR>(data[i].data());
      headers[i].dwBufferLength = samples * 2;
      EXPECT_EQ(waveInPrepareHeader(handle, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
      EXPECT_EQ(waveInAddBuffer(handle, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
  }
  ~numbered_capture() {
    waveInReset(handle);
    for (WAVEHDR& header : headers) waveInUnprepareHeader(handle, &header, sizeof(WAVEHDR));
    waveInClose(handle);
  }
  std::vector<std::int16_t> recorded(std::size_t i) const {
    return {data[i].begin(), data[i].begin() + headers[i].dwBytesRecorded / 2};
  }

  HWAVEIN handle = nullptr;
  std::vector<std::vector<std::int16_t>> data;
  std::vector<WAVEHDR> headers;
};

TEST(WaveIn, BuffersFillInQueueOrderWithEverySampleOnce) {
  scripted::host host;
  numbered_capture capture(host, 3, 100);
  ASSERT_EQ(waveInStart(capture.handle), MMSYSERR_NOERROR);
  host.set_now(host.now() + 30 * ms);  // 240 samples
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);

  EXPECT_EQ(capture.headers[0].dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(capture.headers[1].dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(capture.headers[2].dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
  EXPECT_EQ(capture.recorded(0), numbered(100, 0));
  EXPECT_EQ(capture.recorded(1), numbered(100, 100));
  EXPECT_EQ(capture.recorded(2), numbered(40, 200));

  // Stopping hands back the buffer being filled; an empty one would stay queued.
  ASSERT_EQ(waveInStop(capture.handle), MMSYSERR_NOERROR);
  EXPECT_EQ(capture.headers[2].dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(capture.headers[2].dwBytesRecorded, 80u);
}

TEST(WaveIn, AudioIsThrownAwayBeforeStartWhileStoppedAndWithNoBufferQueued) {
  scripted::host host;
  numbered_capture capture(host, 2, 100);
  host.set_now(host.now() + 10 * ms);  // samples 0-79 arrive before the start
  ASSERT_EQ(waveInStart(capture.handle), MMSYSERR_NOERROR);
  host.set_now(host.now() + 30 * ms);  // 80-319: fills both buffers, 40 left over
  Sleep(0);
  EXPECT_EQ(capture.recorded(0), numbered(100, 80));
  EXPECT_EQ(capture.recorded(1), numbered(100, 180));

  ASSERT_EQ(waveInPrepareHeader(capture.handle, &capture.headers[0], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInAddBuffer(capture.handle, &capture.headers[0], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  host.set_now(host.now() + 5 * ms);  // 320-359; the 40 left over are gone
  Sleep(0);
  EXPECT_EQ(capture.recorded(0), numbered(40, 320));
}

TEST(WaveIn, EveryWayIntoThePlatformDeliversAudio) {
  const std::function<void()> entries[] = {
      [] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
      },
      [] {
        MSG msg;
        PostMessageW(nullptr, WM_USER, 0, 0);
        GetMessageW(&msg, nullptr, 0, 0);
      },
      [] { MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT); },
      [] { Sleep(0); },
  };
  for (std::size_t i = 0; i < std::size(entries); ++i) {
    SCOPED_TRACE(i);
    scripted::host host;
    numbered_capture capture(host, 1, 80);
    ASSERT_EQ(waveInStart(capture.handle), MMSYSERR_NOERROR);
    host.set_now(host.now() + 10 * ms);
    EXPECT_EQ(capture.headers[0].dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
    entries[i]();
    EXPECT_EQ(capture.headers[0].dwFlags, WHDR_PREPARED | WHDR_DONE);
  }
}

TEST(WaveIn, CloseWaitsForEveryBufferToComeBack) {
  scripted::host host;
  numbered_capture capture(host, 2, 100);
  EXPECT_EQ(waveInClose(capture.handle), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveInAddBuffer(capture.handle, &capture.headers[0], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  ASSERT_EQ(waveInReset(capture.handle), MMSYSERR_NOERROR);
  for (const WAVEHDR& header : capture.headers) EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_EQ(waveInClose(capture.handle), MMSYSERR_NOERROR);
  EXPECT_EQ(host.microphone().open_captures(), 0);
}

TEST(WaveIn, OpenTakesSixteenBitPcmWhoseFieldsAgree) {
  struct format_case {
    const char* name;
    std::function<void(WAVEFORMATEX&)> change;
    DWORD flags;
    MMRESULT expected;
  };
  const format_case cases[] = {
      {"8000 Hz mono", [](WAVEFORMATEX&) {}, CALLBACK_NULL, MMSYSERR_NOERROR},
      {"44100 Hz stereo", [](WAVEFORMATEX& f) { f = pcm(2, 44100); }, CALLBACK_NULL, MMSYSERR_NOERROR},
      {"not PCM", [](WAVEFORMATEX& f) { f.wFormatTag = 3; }, CALLBACK_NULL, WAVERR_BADFORMAT},
      {"8 bits",
       [](WAVEFORMATEX& f) {
         f.wBitsPerSample = 8;
         f.nBlockAlign = 1;
         f.nAvgBytesPerSec = 8000;
       },
       CALLBACK_NULL, WAVERR_BADFORMAT},
      {"block align disagrees", [](WAVEFORMATEX& f) { f.nBlockAlign = 4; }, CALLBACK_NULL, WAVERR_BADFORMAT},
      {"byte rate disagrees", [](WAVEFORMATEX& f) { f.nAvgBytesPerSec = 8000; }, CALLBACK_NULL,
       WAVERR_BADFORMAT},
      {"a rate no device has", [](WAVEFORMATEX& f) { f = pcm(1, 4000000); }, CALLBACK_NULL, WAVERR_BADFORMAT},
      {"no channels",
       [](WAVEFORMATEX& f) {
         f.nChannels = 0;
         f.nBlockAlign = 0;
         f.nAvgBytesPerSec = 0;
       },
       CALLBACK_NULL, WAVERR_BADFORMAT},
      {"a callback", [](WAVEFORMATEX&) {}, 0x00030000u, MMSYSERR_NOTSUPPORTED},
  };
  for (const format_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    WAVEFORMATEX format = pcm(1, 8000);
    c.change(format);
    HWAVEIN handle = nullptr;
    EXPECT_EQ(waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, c.flags), c.expected);
    EXPECT_EQ(host.microphone().open_captures(), c.expected == MMSYSERR_NOERROR ? 1 : 0);
    if (c.expected == MMSYSERR_NOERROR) {
      EXPECT_EQ(waveInClose(handle), MMSYSERR_NOERROR);
    }

    // A query answers the same without opening anything.
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &format, 0, 0, c.flags | WAVE_FORMAT_QUERY), c.expected);
    EXPECT_EQ(host.microphone().open_captures(), 0);
  }
}

TEST(WaveIn, AMissingMicrophoneIsABadDeviceWithTheReasonOnStderr) {
  scripted::host host;
  host.microphone().refuse("no sound server");
  const WAVEFORMATEX format = pcm(1, 8000);
  HWAVEIN handle = nullptr;
  testing::internal::CaptureStderr();
  EXPECT_EQ(waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("no sound server"), std::string::npos) << said;
  EXPECT_EQ(handle, nullptr);
}

}  // namespace
