// The pixels of a window's client area: 32-bit words 0x00RRGGBB (bytes blue,
// green, red and one the display ignores), rows top to bottom, no padding.
//
// The picture lies at a movable place in a larger store, so that scrolling the
// whole picture, which a program may do many times a second, moves where the
// picture starts instead of every pixel. Pointers into it are good until the
// next resize or scroll.
#pragma once

#include <cstdint>
#include <memory>

namespace portable {

class pixel_surface {
 public:
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  std::uint32_t* data() { return store.get() + origin; }
  std::uint32_t* row(std::int32_t y) { return data() + static_cast<std::ptrdiff_t>(y) * width_; }

  // Keeps the pixels the old and new sizes share; new pixels are black.
  void resize(std::int32_t new_width, std::int32_t new_height);
  // Moves the whole picture by dx or by dy (the other one 0): pixel (x, y)
  // takes the value of (x - dx, y - dy). The strip uncovered holds no pixels
  // in particular until it is drawn, as on Windows, where it is to be painted
  // again: keeping its old pixels would cost a pass down the whole picture.
  // False, with nothing changed, when both are non-zero or the move is not
  // shorter than the picture.
  bool scroll(std::int32_t dx, std::int32_t dy);

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  struct release {
    void operator()(std::uint32_t* p) const;
  };
  // Black pixels, in the memory the host gives pictures.
  static std::unique_ptr<std::uint32_t[], release> black_store(std::size_t count);

  std::unique_ptr<std::uint32_t[], release> store;
  // Where the picture starts in the store, between 0 and 2 * slack().
  std::ptrdiff_t origin = 0;
  // Room on either side of the picture, in pixels: enough for this many rows.
  static constexpr std::ptrdiff_t slack_rows = 64;
  std::ptrdiff_t slack() const { return slack_rows * width_; }
  std::ptrdiff_t area() const { return static_cast<std::ptrdiff_t>(width_) * height_; }
};

}  // namespace portable
