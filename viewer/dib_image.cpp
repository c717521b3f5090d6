#include "viewer/dib_image.h"

#include <new>

std::int32_t dib_image::create(size dimensions, std::int32_t stride) {
  if (valid) reset();
  width = dimensions.width;
  height = dimensions.height;
  if (stride == default_stride) stride = (width * 4 + 3) / 4 * 4;
  this->stride = stride;
  pixel_array.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(height) * stride]);
  if (!pixel_array) {
    // Nothing is held yet, so reset() would keep the sizes just stored.
    valid = true;
    reset();
    return allocation_failed;
  }
  pixels = pixel_array.get();
  owns_pixels = true;
  valid = true;
  return created;
}

void dib_image::reset() {
  if (!valid) return;
  if (owns_pixels) pixel_array.reset();
  width = 0;
  height = 0;
  stride = 0;
  pixels = nullptr;
  owns_pixels = false;
  valid = false;
}

BITMAPINFOHEADER bitmap_header_for(const dib_image& image) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = image.width;
  header.biHeight = image.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  header.biSizeImage = 0;
  header.biXPelsPerMeter = 3779;
  header.biYPelsPerMeter = 3779;
  header.biClrUsed = 0;
  header.biClrImportant = 0;
  return header;
}
