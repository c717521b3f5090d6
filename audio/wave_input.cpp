#include "audio/wave_input.h"

#include "framework/clock.h"

namespace {
constexpr UINT header_size = sizeof(WAVEHDR);
}

std::int32_t wave_input::open(double rate, std::uint32_t channels) {
  this->rate = rate;
  this->channels = channels;

  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.nBlockAlign = static_cast<WORD>(channels * 16 / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  format.wBitsPerSample = 16;
  format.cbSize = 0;
  if (waveInOpen(&handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    handle = nullptr;  // the platform promises nothing about it on failure
    close();
    return open_failed;
  }

  // 30 ms per buffer, and enough buffers for about two seconds.
  buffer_frames = static_cast<std::uint32_t>(rate * 0.03);
  buffer_count = static_cast<std::uint32_t>(2 * rate + buffer_frames - 1) / buffer_frames;
  ring_length = buffer_count * buffer_frames * channels;
  sample_ring.reset(new short[ring_length]);
  headers.reset(new WAVEHDR[buffer_count]);

  for (std::uint32_t i = 0; i < buffer_count; ++i) {
    WAVEHDR& header = headers[i];
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(&sample_ring[i * buffer_frames * channels]);
    header.dwBufferLength = buffer_frames * channels * 2;
    if (waveInPrepareHeader(handle, &header, header_size) != MMSYSERR_NOERROR ||
        waveInAddBuffer(handle, &header, header_size) != MMSYSERR_NOERROR) {
      close();
      return open_failed;
    }
  }
  next_buffer = 0;

  if (waveInStart(handle) != MMSYSERR_NOERROR) {
    close();
    return open_failed;
  }
  return opened;
}

void wave_input::close() {
  if (handle) {
    waveInStop(handle);
    waveInReset(handle);
    for (std::uint32_t i = 0; i < buffer_count && headers; ++i)
      waveInUnprepareHeader(handle, &headers[i], header_size);
    waveInClose(handle);
    handle = nullptr;
  }
  sample_ring.reset();
  headers.reset();
}

void wave_input::requeue_completed(waiter& w) {
  // Failures here go unnoticed: a buffer that did not go back in still has
  // WHDR_DONE when its turn comes again, and is then taken and queued once more.
  // One round of the ring at most: if the device took none back (it is gone),
  // every flag stays set and the loop would otherwise never end.
  for (std::uint32_t round = 0; round < buffer_count && (headers[next_buffer].dwFlags & WHDR_DONE);
       ++round) {
    WAVEHDR& header = headers[next_buffer];
    waveInUnprepareHeader(handle, &header, header_size);
    waveInPrepareHeader(handle, &header, header_size);
    waveInAddBuffer(handle, &header, header_size);
    next_buffer = next_buffer + 1 == buffer_count ? 0 : next_buffer + 1;
  }
  w.add_deadline(now_ns() + static_cast<std::int64_t>(buffer_frames / rate * 1e9));
}
