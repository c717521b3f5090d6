#include "platform/portable/seam/sample_fifo.h"

#include <algorithm>

namespace portable {

sample_fifo::sample_fifo(std::int32_t rate, std::int32_t channels, std::int32_t seconds)
    : queue(static_cast<std::size_t>(rate) * channels * seconds) {}

void sample_fifo::push(const std::int16_t* samples, std::size_t count) {
  const std::size_t room = queue.capacity() - queue.size();
  if (count > room) lost += count - room;
  // A full circular buffer overwrites its oldest elements on insertion at the end.
  queue.insert(queue.end(), samples, samples + count);
}

std::size_t sample_fifo::pop(std::int16_t* out, std::size_t max) {
  const std::size_t n = std::min(max, queue.size());
  std::copy_n(queue.begin(), n, out);
  queue.erase_begin(n);
  return n;
}

}  // namespace portable
