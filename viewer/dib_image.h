// The spectrogram's pixels: one 32-bit device-independent bitmap, rows stored
// bottom-up, each pixel the bytes blue, green, red and one that display ignores.
// Pixel (row j, column c) is the 32-bit word at pixels + j * stride + 4 * c.
#pragma once

#include <boost/shared_array.hpp>
#include <cstdint>

#include "platform/win32.h"

class dib_image {
 public:
  // create() results
  static constexpr std::int32_t created = 0;
  static constexpr std::int32_t allocation_failed = 4;
  static constexpr std::int32_t default_stride = -1;

  struct size {
    std::int32_t width, height;
  };

  dib_image() = default;
  dib_image(const dib_image&) = delete;
  dib_image& operator=(const dib_image&) = delete;
  ~dib_image() { reset(); }

  // Allocates width x height pixels, not cleared, after dropping any image
  // held. With default_stride the rows follow each other without gaps.
  std::int32_t create(size dimensions, std::int32_t stride);
  // Drops the image; does nothing when none is held.
  void reset();

  bool valid = false;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t stride = 0;  // bytes from one row to the next
  boost::shared_array<unsigned char> pixel_array;
  unsigned char* pixels = nullptr;  // row 0, the bottom row
  bool owns_pixels = false;
};

// The header that describes `image` to DrawDib: 32 bits per pixel, BI_RGB,
// bottom-up, 96 dots per inch.
BITMAPINFOHEADER bitmap_header_for(const dib_image& image);
