// The wave input stream: 16-bit PCM from the default capture device, captured
// straight into one ring of samples that is cut into short buffers, all queued
// on the device at once. The program polls: once per pass of the run loop,
// requeue_completed gives every buffer the device has completed back to it, and
// the reader then takes the newly completed stretch of the ring in place.
// No callback, no event, no second thread.
#pragma once

#include <boost/shared_array.hpp>
#include <cstdint>

#include "framework/waiter.h"
#include "platform/win32.h"

class wave_input {
 public:
  // open() results
  static constexpr std::int32_t opened = 0;
  static constexpr std::int32_t open_failed = 5;

  wave_input() = default;
  wave_input(const wave_input&) = delete;
  wave_input& operator=(const wave_input&) = delete;
  ~wave_input() { close(); }

  // Opens the default device at `rate` samples per second (at least 33.34, so
  // that a buffer holds a frame), queues every buffer and starts capturing.
  // Must be called on a closed stream. On failure the stream is closed again.
  std::int32_t open(double rate, std::uint32_t channels);
  // Stops the device, takes its buffers back and frees the ring. Safe when closed.
  void close();
  // Gives every completed buffer back to the device, in order, up to the first
  // one it refuses, counts those it took in fresh_buffers, and asks the waiter
  // to wake the run loop within one buffer's duration. Only while open.
  void requeue_completed(waiter& w);

  double rate = 0;
  std::uint32_t channels = 0;
  HWAVEIN handle = nullptr;
  boost::shared_array<short> sample_ring;
  std::uint32_t ring_length = 0;  // samples
  boost::shared_array<WAVEHDR> headers;
  std::uint32_t buffer_frames = 0;
  std::uint32_t buffer_count = 0;
  // The oldest buffer still queued, the next the device completes: the ring
  // holds completed samples up to the start of this buffer.
  std::uint32_t next_buffer = 0;
  // Buffers the last requeue_completed took back: the samples nobody has read
  // yet are the fresh_buffers whole buffers that end where next_buffer starts.
  // After a full round that is the whole ring, though next_buffer is back
  // where it was.
  std::uint32_t fresh_buffers = 0;
};
