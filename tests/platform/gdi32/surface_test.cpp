// A window's pixel store, which scrolls the whole picture by moving where the
// picture starts: checked against plain copying over long runs of scrolls, so
// that the picture is moved back into place along the way.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/portable/gdi32/surface.h"
#include "tests/support/scripted_host.h"

namespace {

// The same picture as a plain array, scrolled pixel by pixel.
struct plain_picture {
  int width, height;
  std::vector<std::uint32_t> pixels;

  void scroll(int dx, int dy) {
    const std::vector<std::uint32_t> before = pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (x - dx >= 0 && x - dx < width && y - dy >= 0 && y - dy < height)
          pixels[y * width + x] = before[(y - dy) * width + x - dx];
  }
};

TEST(PixelSurface, ScrollingTheWholePictureMatchesMovingEveryPixel) {
  struct run_case {
    const char* name;
    int width, height;
    std::vector<std::pair<int, int>> moves;  // dx, dy choices, picked at random
    int scrolls;
  };
  const run_case cases[] = {
      {"columns to the left, as a spectrogram scrolls", 9, 5, {{-1, 0}, {-3, 0}}, 2000},
      {"every way", 7, 6, {{-1, 0}, {2, 0}, {0, -1}, {0, 3}, {-6, 0}, {0, 5}}, 3000},
      {"rows up, soon out of room", 4, 40, {{0, -1}, {0, -7}}, 500},
  };
  for (const run_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;  // gives the picture's memory
    portable::pixel_surface surface;
    surface.resize(c.width, c.height);
    plain_picture plain{c.width, c.height, std::vector<std::uint32_t>(c.width * c.height)};
    for (int i = 0; i < c.width * c.height; ++i) surface.data()[i] = plain.pixels[i] = 0x100000u + i;
    std::mt19937 random(7);
    for (int n = 0; n < c.scrolls; ++n) {
      const auto [dx, dy] = c.moves[random() % c.moves.size()];
      ASSERT_TRUE(surface.scroll(dx, dy));
      plain.scroll(dx, dy);
      // New pixels in the strip uncovered, as a paint puts there.
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
          if (x < dx || x >= c.width + dx || y < dy || y >= c.height + dy)
            surface.row(y)[x] = plain.pixels[y * c.width + x] = 0x200000u + n * 64 + x + y;
      ASSERT_EQ(std::vector<std::uint32_t>(surface.data(), surface.data() + c.width * c.height), plain.pixels)
          << "after scroll " << n << " by " << dx << ", " << dy;
    }
  }
}

TEST(PixelSurface, RefusesWhatItCannotScrollAndKeepsThePicture) {
  scripted::host host;  // gives the picture's memory
  portable::pixel_surface surface;
  surface.resize(6, 4);
  for (int i = 0; i < 24; ++i) surface.data()[i] = i;
  const std::vector<std::uint32_t> before(surface.data(), surface.data() + 24);
  for (const auto& [dx, dy] : {std::pair{1, 1}, {6, 0}, {-6, 0}, {0, 4}, {0, -5}}) {
    EXPECT_FALSE(surface.scroll(dx, dy)) << dx << ", " << dy;
    EXPECT_EQ(std::vector<std::uint32_t>(surface.data(), surface.data() + 24), before);
  }
  EXPECT_TRUE(surface.scroll(0, 0));
  EXPECT_EQ(std::vector<std::uint32_t>(surface.data(), surface.data() + 24), before);
  surface.resize(3, 2);
  EXPECT_EQ(std::vector<std::uint32_t>(surface.data(), surface.data() + 6),
            (std::vector<std::uint32_t>{0, 1, 2, 6, 7, 8}));
}

}  // namespace
