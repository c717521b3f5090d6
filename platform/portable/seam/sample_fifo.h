// The bounded queue in which a host keeps captured samples until the program
// takes them. When a push does not fit, the oldest samples make room and are
// counted as dropped: after a stall the program gets the most recent audio.
// Not locked; a host that pushes from another thread locks around it.
#pragma once

#include <boost/circular_buffer.hpp>
#include <cstddef>
#include <cstdint>

namespace portable {

class sample_fifo {
 public:
  // Room for `seconds` of interleaved samples at the given format, so that a
  // program stalled for less than that loses nothing.
  sample_fifo(std::int32_t rate, std::int32_t channels, std::int32_t seconds = 2);

  void push(const std::int16_t* samples, std::size_t count);
  // Moves up to `max` of the oldest samples into `out`; returns how many.
  std::size_t pop(std::int16_t* out, std::size_t max);

  std::size_t size() const { return queue.size(); }
  std::size_t capacity() const { return queue.capacity(); }
  std::uint64_t dropped() const { return lost; }
  // Counts samples a host skipped without ever queueing them.
  void count_dropped(std::uint64_t count) { lost += count; }

 private:
  boost::circular_buffer<std::int16_t> queue;
  std::uint64_t lost = 0;
};

}  // namespace portable
