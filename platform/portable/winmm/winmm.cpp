#include "platform/portable/winmm/winmm.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/portable/seam/host.h"
#include "platform/portable/seam/process_state.h"
#include "platform/portable/winmm/wave_in_device.h"

namespace portable {
namespace {

wave_in_table& open_devices() { return process_part_of<wave_in_devices>().open; }

wave_in_device* device_of(HWAVEIN handle) { return open_devices().find(handle); }

bool header_is_valid(const WAVEHDR* header, UINT size) { return header && size >= sizeof(WAVEHDR); }

void hand_back(wave_in_device& device) {
  WAVEHDR* header = device.queue.front();
  device.queue.pop_front();
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
}

// Moves what the host has captured into the queued buffers, oldest first. A
// buffer is done once it cannot take another whole frame. What arrives while
// the device is stopped, or while no buffer is queued, is thrown away, as
// Windows does.
void deliver(wave_in_device& device) {
  const std::size_t frame_bytes = device.frame_samples * 2;
  for (;;) {
    std::size_t wanted = device.scratch.size();
    WAVEHDR* header = nullptr;
    if (device.started && !device.queue.empty()) {
      header = device.queue.front();
      const DWORD room = header->dwBufferLength - header->dwBytesRecorded;
      if (room < frame_bytes) {
        hand_back(device);
        continue;
      }
      wanted = std::min<std::size_t>(wanted, room / frame_bytes * device.frame_samples);
    }
    const std::size_t got = device.capture->read(device.scratch.data(), wanted);
    if (got == 0) return;
    if (header) {
      std::memcpy(header->lpData + header->dwBytesRecorded, device.scratch.data(), got * 2);
      header->dwBytesRecorded += static_cast<DWORD>(got * 2);
    }
  }
}

// Rates above what any capture device offers would only size the host's queue
// absurdly.
constexpr DWORD highest_rate = 384000;

bool is_supported(const WAVEFORMATEX& f) {
  return f.wFormatTag == WAVE_FORMAT_PCM && f.wBitsPerSample == 16 && f.nChannels > 0 &&
         f.nSamplesPerSec > 0 && f.nSamplesPerSec <= highest_rate && f.nBlockAlign == f.nChannels * 2 &&
         f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

// Fills the queued buffers of every open device from what its host captured.
void deliver_captured_audio() {
  open_devices().for_each([](wave_in_device& device) { deliver(device); });
}

}  // namespace

void wave_in_devices::on_platform_entered() { deliver_captured_audio(); }

std::uint64_t wave_in_dropped(HWAVEIN handle) {
  wave_in_device* device = device_of(handle);
  return device ? device->capture->dropped() : 0;
}

}  // namespace portable

using namespace portable;

MMRESULT WINAPI waveInOpen(LPHWAVEIN handle, UINT device_id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags) {
  deliver_captured_audio();
  const bool query = (flags & WAVE_FORMAT_QUERY) != 0;
  if ((!handle && !query) || !format) return MMSYSERR_INVALPARAM;
  if ((flags & CALLBACK_TYPEMASK) != CALLBACK_NULL) return MMSYSERR_NOTSUPPORTED;
  // The default device is the only one, as device 0 and through the mapper.
  if (device_id != WAVE_MAPPER && device_id != 0) return MMSYSERR_BADDEVICEID;
  if (!is_supported(*format)) return WAVERR_BADFORMAT;

  try {
    std::string error;
    std::unique_ptr<audio_capture> capture = current_host().open_capture(
        static_cast<std::int32_t>(format->nSamplesPerSec), format->nChannels, error);
    if (!capture) {
      std::fprintf(stderr, "warblet: no wave input device: %s\n", error.c_str());
      return MMSYSERR_BADDEVICEID;
    }
    if (query) return MMSYSERR_NOERROR;

    auto device = std::make_unique<wave_in_device>();
    device->capture = std::move(capture);
    device->frame_samples = format->nChannels;
    device->scratch.resize(std::max<std::size_t>(2048 / format->nChannels, 1) * format->nChannels);
    *handle = open_devices().add(std::move(device));
    return MMSYSERR_NOERROR;
  } catch (const std::bad_alloc&) {
    return MMSYSERR_NOMEM;
  }
}

MMRESULT WINAPI waveInClose(HWAVEIN handle) {
  deliver_captured_audio();
  wave_in_device* device = device_of(handle);
  if (!device) return MMSYSERR_INVALHANDLE;
  if (!device->queue.empty()) return WAVERR_STILLPLAYING;
  open_devices().erase(handle);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInPrepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size) {
  deliver_captured_audio();
  if (!header_is_valid(header, size)) return MMSYSERR_INVALPARAM;
  if (!device_of(handle)) return MMSYSERR_INVALHANDLE;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags = (header->dwFlags | WHDR_PREPARED) & ~WHDR_DONE;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInUnprepareHeader(HWAVEIN handle, LPWAVEHDR header, UINT size) {
  deliver_captured_audio();
  if (!header_is_valid(header, size)) return MMSYSERR_INVALPARAM;
  if (!device_of(handle)) return MMSYSERR_INVALHANDLE;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInAddBuffer(HWAVEIN handle, LPWAVEHDR header, UINT size) {
  deliver_captured_audio();
  if (!header_is_valid(header, size)) return MMSYSERR_INVALPARAM;
  wave_in_device* device = device_of(handle);
  if (!device) return MMSYSERR_INVALHANDLE;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  // Queueing a header twice would make the device fill it twice.
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  if (!header->lpData) return MMSYSERR_INVALPARAM;
  if (current_host().fails(host::fallible::wave_in_add_buffer)) return MMSYSERR_NOMEM;
  header->dwBytesRecorded = 0;
  header->dwFlags = (header->dwFlags | WHDR_INQUEUE) & ~WHDR_DONE;
  device->queue.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInStart(HWAVEIN handle) {
  deliver_captured_audio();
  wave_in_device* device = device_of(handle);
  if (!device) return MMSYSERR_INVALHANDLE;
  device->started = true;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInStop(HWAVEIN handle) {
  deliver_captured_audio();
  wave_in_device* device = device_of(handle);
  if (!device) return MMSYSERR_INVALHANDLE;
  device->started = false;
  if (!device->queue.empty() && device->queue.front()->dwBytesRecorded > 0) hand_back(*device);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveInReset(HWAVEIN handle) {
  deliver_captured_audio();
  wave_in_device* device = device_of(handle);
  if (!device) return MMSYSERR_INVALHANDLE;
  device->started = false;
  while (!device->queue.empty()) hand_back(*device);
  return MMSYSERR_NOERROR;
}
