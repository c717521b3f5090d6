// winmm: wave input, with the Windows SDK's names, layouts and results.
//
// Implements waveInOpen (the default device only, 16-bit PCM, CALLBACK_NULL,
// WAVE_FORMAT_QUERY), waveInPrepareHeader, waveInUnprepareHeader,
// waveInAddBuffer, waveInStart, waveInStop, waveInReset and waveInClose.
//
// There is no driver thread. The host captures into a bounded queue of its own;
// the queued WAVEHDRs are filled from it, in queue order, on the program's
// thread whenever the program enters the platform (a waveIn call, the message
// pump, a wait or a sleep), and a full buffer gets WHDR_DONE just as a driver
// would set it. Polling WHDR_DONE therefore works as it does on Windows.
#pragma once

#include <cstdint>

#include "platform/portable/kernel32/types.h"

typedef UINT MMRESULT;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_NOTENABLED 3
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOMEM 7
#define MMSYSERR_NOTSUPPORTED 8
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define WAVERR_BADFORMAT 32
#define WAVERR_STILLPLAYING 33
#define WAVERR_UNPREPARED 34

#define WAVE_MAPPER (static_cast<UINT>(-1))
#define WAVE_FORMAT_PCM 1
#define WAVE_FORMAT_QUERY 0x0001u
#define CALLBACK_TYPEMASK 0x00070000u
#define CALLBACK_NULL 0x00000000u

#define WHDR_DONE 0x00000001u
#define WHDR_PREPARED 0x00000002u
#define WHDR_INQUEUE 0x00000010u

struct HWAVEIN__ {
  int unused;
};
typedef HWAVEIN__* HWAVEIN;
typedef HWAVEIN* LPHWAVEIN;

// Byte-packed as in the SDK: 18 bytes.
#pragma pack(push, 1)
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

struct WAVEHDR {
  LPSTR lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  DWORD_PTR reserved;
};
typedef WAVEHDR* LPWAVEHDR;

// A device that cannot be had (no sound server, no card, a format the host
// refuses) gives MMSYSERR_BADDEVICEID, as Windows does when it has no wave input
// device at all; the host's reason goes to stderr. Formats other than 16-bit PCM
// give WAVERR_BADFORMAT, and so does a PCM format whose nBlockAlign or
// nAvgBytesPerSec does not follow from its other fields, where Windows quietly
// corrects them: a caller that gets them wrong has a fault worth seeing.
// Callbacks are not supported (MMSYSERR_NOTSUPPORTED): the program polls.
MMRESULT WINAPI waveInOpen(LPHWAVEIN handle, UINT device_id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags);
// Fails with WAVERR_STILLPLAYING while buffers are queued.
MMRESULT WINAPI waveInClose(HWAVEIN handle);
MMRESULT WINAPI waveInPrepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size);
// Fails with WAVERR_STILLPLAYING while the header is queued.
MMRESULT WINAPI waveInUnprepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size);
// Fails with WAVERR_UNPREPARED for a header that is not prepared.
MMRESULT WINAPI waveInAddBuffer(HWAVEIN handle, LPWAVEHDR header, UINT size);
MMRESULT WINAPI waveInStart(HWAVEIN handle);
// Hands back the buffer being filled, if it holds anything; the rest stay queued.
MMRESULT WINAPI waveInStop(HWAVEIN handle);
// Stops, and hands back every queued buffer marked done.
MMRESULT WINAPI waveInReset(HWAVEIN handle);

namespace portable {

// Samples the host threw away for this device because the program did not take
// them in time (0 for a handle that is not open).
std::uint64_t wave_in_dropped(HWAVEIN handle);

}  // namespace portable
