// A screenshot as the end-to-end checks read it: a binary PPM (P6, one byte
// per channel), the form ImageMagick's `convert SHOT.png ppm:SHOT.ppm` writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// A rectangle of the screen in pixels, such as a window's client area.
struct screen_rect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

struct screen_image {
  std::int32_t width = 0, height = 0;
  std::vector<rgb> pixels;  // rows top to bottom

  const rgb& at(std::int32_t x, std::int32_t y) const {
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
  bool contains(const screen_rect& r) const {
    return r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 && r.left + r.width <= width &&
           r.top + r.height <= height;
  }
};

// Reads a P6 file with a maximum value of 255; on failure says why in error
// and returns an empty image.
screen_image read_ppm(const std::string& path, std::string& error);
