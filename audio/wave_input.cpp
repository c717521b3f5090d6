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
  // Zeroed, every one: if queueing fails part way, close() unprepares them all,
  // and the platform must find the ones never prepared empty.
  headers.reset(new WAVEHDR[buffer_count]());
  fresh_buffers = 0;

  for (std::uint32_t i = 0; i < buffer_count; ++i) {
    WAVEHDR& header = headers[i];
    header = WAVEHDR{};
    const std::ptrdiff_t first_sample = static_cast<std::ptrdiff_t>(i) * buffer_frames * channels;
    header.lpData = reinterpret_cast<LPSTR>(&sample_ring[first_sample]);
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
  // One round of the ring at most: after a long stall every buffer is done.
  fresh_buffers = 0;
  while (fresh_buffers < buffer_count && (headers[next_buffer].dwFlags & WHDR_DONE)) {
    WAVEHDR& header = headers[next_buffer];
    waveInUnprepareHeader(handle, &header, header_size);
    waveInPrepareHeader(handle, &header, header_size);
    if (waveInAddBuffer(handle, &header, header_size) != MMSYSERR_NOERROR) {
      // The device did not take it back (preparing cleared its done flag). It
      // stays at the head, marked done, and is offered again at the next pass;
      // its samples are read once it is back in the queue, and nothing behind
      // it before. Moving on would leave it out of the queue for good, and
      // the ring would stop at it one round later.
      header.dwFlags |= WHDR_DONE;
      break;
    }
    ++fresh_buffers;
    next_buffer = next_buffer + 1 == buffer_count ? 0 : next_buffer + 1;
  }
  w.add_deadline(now_ns() + static_cast<std::int64_t>(buffer_frames / rate * 1e9));
}
