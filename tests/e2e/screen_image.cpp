#include "tests/e2e/screen_image.h"

#include <fstream>

namespace {

// The next header number, skipping white space and # comments.
bool read_header_number(std::istream& in, std::int32_t& value) {
  for (;;) {
    in >> std::ws;
    if (in.peek() != '#') break;
    std::string comment;
    std::getline(in, comment);
  }
  return static_cast<bool>(in >> value);
}

}  // namespace

screen_image read_ppm(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return {};
  }
  std::string magic;
  in >> magic;
  std::int32_t width = 0, height = 0, max_value = 0;
  if (magic != "P6" || !read_header_number(in, width) || !read_header_number(in, height) ||
      !read_header_number(in, max_value)) {
    error = path + " is not a binary PPM (P6)";
    return {};
  }
  if (width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15 || max_value != 255) {
    error = path + ": unsupported size or depth";
    return {};
  }
  in.get();  // the single white-space byte before the pixels
  screen_image image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  static_assert(sizeof(rgb) == 3, "pixels are read straight into rgb triples");
  if (!in.read(reinterpret_cast<char*>(image.pixels.data()),
               static_cast<std::streamsize>(image.pixels.size() * 3))) {
    error = path + " ends before its last pixel";
    return {};
  }
  return image;
}
