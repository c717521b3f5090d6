// The faces that text is drawn with (DejaVu Sans, or the system's sans-serif),
// one per line height, opened with SDL2_ttf when first used and closed with
// the process state.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct _TTF_Font;

namespace portable {

class font_cache {
 public:
  font_cache() = default;
  font_cache(const font_cache&) = delete;
  font_cache& operator=(const font_cache&) = delete;
  ~font_cache();

  // The largest face whose line height is at most `line_height` pixels; null
  // when no font is found or it cannot be opened (the reason goes to stderr once).
  _TTF_Font* face(std::int32_t line_height);

 private:
  std::map<std::int32_t, _TTF_Font*> faces;
  std::string file;  // the font's file, found when first needed
  bool started = false;
  bool failed = false;
};

}  // namespace portable
