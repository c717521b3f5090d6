// The bounded capture queue both hosts keep: oldest out first, and when full
// the oldest samples make room and are counted.
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/seam/sample_fifo.h"

namespace {

TEST(SampleFifo, KeepsTheNewestSamplesAndCountsWhatItDropped) {
  struct fifo_case {
    const char* name;
    std::vector<std::vector<std::int16_t>> pushes;
    std::vector<std::int16_t> kept;
    std::uint64_t dropped;
  };
  // Room for 8 samples: 2 channels at 2 frames per second for 2 seconds.
  const fifo_case cases[] = {
      {"fits", {{1, 2, 3}, {4, 5}}, {1, 2, 3, 4, 5}, 0},
      {"exactly full", {{1, 2, 3, 4, 5, 6, 7, 8}}, {1, 2, 3, 4, 5, 6, 7, 8}, 0},
      {"overflows by two", {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10}}, {3, 4, 5, 6, 7, 8, 9, 10}, 2},
      {"one push larger than the queue",
       {{1, 2}, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
       {5, 6, 7, 8, 9, 10, 11, 12},
       4},
  };
  for (const fifo_case& c : cases) {
    SCOPED_TRACE(c.name);
    portable::sample_fifo fifo(2, 2);
    ASSERT_EQ(fifo.capacity(), 8u);
    for (const auto& push : c.pushes) fifo.push(push.data(), push.size());
    EXPECT_EQ(fifo.dropped(), c.dropped);

    // Taken out in two parts, oldest first.
    std::vector<std::int16_t> out(10);
    const std::size_t first = fifo.pop(out.data(), 3);
    const std::size_t second = fifo.pop(out.data() + first, out.size() - first);
    out.resize(first + second);
    EXPECT_EQ(out, c.kept);
    EXPECT_EQ(fifo.size(), 0u);
  }
}

}  // namespace
