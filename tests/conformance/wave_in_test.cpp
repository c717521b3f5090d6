// Wave input as Windows defines it, checked against both implementations: the
// SDK's structure layouts and values, the result codes of the calls, and the
// flags a capture buffer goes through. The program polls WHDR_DONE on buffers it
// queued with CALLBACK_NULL, so that is the path checked here.
//
// Left out because Wine's winmm does otherwise and the program does not rely on
// it: waveInClose failing with WAVERR_STILLPLAYING while buffers are queued (the
// program always resets first), and a format whose nBlockAlign or
// nAvgBytesPerSec disagree with the rest (winmm fixes those up).
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/win32.h"

namespace {

WAVEFORMATEX mono_8000() {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = 1;
  f.nSamplesPerSec = 8000;
  f.nAvgBytesPerSec = 16000;
  f.nBlockAlign = 2;
  f.wBitsPerSample = 16;
  f.cbSize = 0;
  return f;
}

constexpr std::size_t pointer = sizeof(void*);

TEST(WaveInConformance, StructuresHaveTheSdkLayout) {
  EXPECT_EQ(sizeof(WAVEFORMATEX), 18u);
  EXPECT_EQ(offsetof(WAVEFORMATEX, nSamplesPerSec), 4u);
  EXPECT_EQ(offsetof(WAVEFORMATEX, nAvgBytesPerSec), 8u);
  EXPECT_EQ(offsetof(WAVEFORMATEX, nBlockAlign), 12u);
  EXPECT_EQ(offsetof(WAVEFORMATEX, wBitsPerSample), 14u);
  EXPECT_EQ(offsetof(WAVEFORMATEX, cbSize), 16u);

  EXPECT_EQ(sizeof(WAVEHDR), 4 * pointer + 16);  // 32 bytes on 32-bit Windows
  EXPECT_EQ(offsetof(WAVEHDR, dwBufferLength), pointer);
  EXPECT_EQ(offsetof(WAVEHDR, dwBytesRecorded), pointer + 4);
  EXPECT_EQ(offsetof(WAVEHDR, dwUser), pointer + 8);
  EXPECT_EQ(offsetof(WAVEHDR, dwFlags), 2 * pointer + 8);
  EXPECT_EQ(offsetof(WAVEHDR, dwLoops), 2 * pointer + 12);
  EXPECT_EQ(offsetof(WAVEHDR, lpNext), 2 * pointer + 16);
  EXPECT_EQ(offsetof(WAVEHDR, reserved), 3 * pointer + 16);
}

TEST(WaveInConformance, ConstantsHaveTheSdkValues) {
  const struct {
    const char* name;
    unsigned long value, expected;
  } constants[] = {
      {"WHDR_DONE", WHDR_DONE, 1},
      {"WHDR_PREPARED", WHDR_PREPARED, 2},
      {"WHDR_INQUEUE", WHDR_INQUEUE, 0x10},
      {"WAVE_MAPPER", WAVE_MAPPER, 0xFFFFFFFFul},
      {"WAVE_FORMAT_PCM", WAVE_FORMAT_PCM, 1},
      {"WAVE_FORMAT_QUERY", WAVE_FORMAT_QUERY, 1},
      {"CALLBACK_NULL", CALLBACK_NULL, 0},
      {"MMSYSERR_NOERROR", MMSYSERR_NOERROR, 0},
      {"MMSYSERR_BADDEVICEID", MMSYSERR_BADDEVICEID, 2},
      {"MMSYSERR_ALLOCATED", MMSYSERR_ALLOCATED, 4},
      {"MMSYSERR_INVALHANDLE", MMSYSERR_INVALHANDLE, 5},
      {"MMSYSERR_NODRIVER", MMSYSERR_NODRIVER, 6},
      {"MMSYSERR_NOMEM", MMSYSERR_NOMEM, 7},
      {"MMSYSERR_NOTSUPPORTED", MMSYSERR_NOTSUPPORTED, 8},
      {"MMSYSERR_INVALPARAM", MMSYSERR_INVALPARAM, 11},
      {"WAVERR_BADFORMAT", WAVERR_BADFORMAT, 32},
      {"WAVERR_STILLPLAYING", WAVERR_STILLPLAYING, 33},
      {"WAVERR_UNPREPARED", WAVERR_UNPREPARED, 34},
  };
  for (const auto& c : constants) EXPECT_EQ(c.value, c.expected) << c.name;
}

TEST(WaveInConformance, CallsOnNoDeviceFailAsInvalidHandles) {
  WAVEHDR header{};
  char data[64];
  header.lpData = data;
  header.dwBufferLength = sizeof data;
  EXPECT_EQ(waveInStart(nullptr), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveInStop(nullptr), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveInReset(nullptr), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveInClose(nullptr), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveInPrepareHeader(nullptr, &header, sizeof header), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(header.dwFlags, 0u);
}

TEST(WaveInConformance, OpenRejectsAMissingHandleAndAnUnknownDevice) {
  const WAVEFORMATEX format = mono_8000();
  HWAVEIN handle = nullptr;
  EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_INVALPARAM);
  EXPECT_EQ(waveInOpen(&handle, 1000, &format, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
}

// Opens the default device for 8000 Hz mono, or says why the test cannot run:
// a machine without a wave input device has nothing to check.
#define OPEN_DEFAULT_DEVICE_OR_SKIP(handle)                                                   \
  do {                                                                                        \
    const WAVEFORMATEX format = mono_8000();                                                  \
    const MMRESULT opened = waveInOpen(&(handle), WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL); \
    if (opened == MMSYSERR_BADDEVICEID || opened == MMSYSERR_NODRIVER)                        \
      GTEST_SKIP() << "no wave input device (waveInOpen: " << opened << ")";                  \
    ASSERT_EQ(opened, MMSYSERR_NOERROR);                                                      \
  } while (false)

TEST(WaveInConformance, ABufferGoesThroughPreparedQueuedAndDone) {
  HWAVEIN handle = nullptr;
  OPEN_DEFAULT_DEVICE_OR_SKIP(handle);
  short samples[2][240];
  WAVEHDR headers[2] = {};
  for (int i = 0; i < 2; ++i) {
    headers[i].lpData = reinterpret_cast<LPSTR>(samples[i]);
    headers[i].dwBufferLength = sizeof samples[i];
  }
  WAVEHDR& first = headers[0];
  WAVEHDR& second = headers[1];

  EXPECT_EQ(waveInAddBuffer(handle, &first, sizeof first), WAVERR_UNPREPARED);
  EXPECT_EQ(first.dwFlags, 0u);
  ASSERT_EQ(waveInPrepareHeader(handle, &first, sizeof first), MMSYSERR_NOERROR);
  EXPECT_EQ(first.dwFlags, WHDR_PREPARED);
  ASSERT_EQ(waveInAddBuffer(handle, &first, sizeof first), MMSYSERR_NOERROR);
  EXPECT_EQ(first.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
  EXPECT_EQ(waveInUnprepareHeader(handle, &first, sizeof first), WAVERR_STILLPLAYING);
  EXPECT_EQ(first.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
  ASSERT_EQ(waveInPrepareHeader(handle, &second, sizeof second), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInAddBuffer(handle, &second, sizeof second), MMSYSERR_NOERROR);

  ASSERT_EQ(waveInStart(handle), MMSYSERR_NOERROR);
  // The device completes buffers in the order they were queued.
  for (int i = 0; i < 600 && !(second.dwFlags & WHDR_DONE); ++i) {
    Sleep(5);
    if (second.dwFlags & WHDR_DONE) {
      EXPECT_TRUE(first.dwFlags & WHDR_DONE);
    }
  }
  for (const WAVEHDR& header : headers) {
    EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_EQ(header.dwBytesRecorded, header.dwBufferLength);
  }

  // Queued again, then handed back by a reset, marked done, whatever it holds.
  ASSERT_EQ(waveInAddBuffer(handle, &first, sizeof first), MMSYSERR_NOERROR);
  EXPECT_EQ(first.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
  ASSERT_EQ(waveInReset(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(first.dwFlags, WHDR_PREPARED | WHDR_DONE);
  EXPECT_LE(first.dwBytesRecorded, first.dwBufferLength);

  for (WAVEHDR& header : headers) {
    ASSERT_EQ(waveInUnprepareHeader(handle, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_FALSE(header.dwFlags & WHDR_PREPARED);
  }
  ASSERT_EQ(waveInClose(handle), MMSYSERR_NOERROR);
  EXPECT_EQ(waveInStart(handle), MMSYSERR_INVALHANDLE);
}

TEST(WaveInConformance, AFormatThatIsNotPcmIsRefused) {
  HWAVEIN handle = nullptr;
  OPEN_DEFAULT_DEVICE_OR_SKIP(handle);
  ASSERT_EQ(waveInClose(handle), MMSYSERR_NOERROR);
  WAVEFORMATEX format = mono_8000();
  format.wFormatTag = 0x7A7A;  // no codec knows this tag
  EXPECT_EQ(waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
}

}  // namespace
