#include "platform/portable/gdi32/font_cache.h"

#include <SDL_ttf.h>

#include <cstdio>

#include "platform/portable/gdi32/font_lookup.h"

namespace portable {

font_cache::~font_cache() {
  for (auto& entry : faces) TTF_CloseFont(entry.second);
  if (started) TTF_Quit();
}

TTF_Font* font_cache::face(std::int32_t line_height) {
  auto found = faces.find(line_height);
  if (found != faces.end()) return found->second;
  if (failed) return nullptr;
  if (!started) {
    if (TTF_Init() != 0) {
      std::fprintf(stderr, "warblet: text cannot be drawn: %s\n", TTF_GetError());
      failed = true;
      return nullptr;
    }
    started = true;
    file = sans_serif_font_file();
    if (file.empty()) {
      std::fprintf(stderr,
                   "warblet: text cannot be drawn: fontconfig finds neither DejaVu Sans nor a "
                   "sans-serif font\n");
      failed = true;
      return nullptr;
    }
  }
  // SDL_ttf sizes faces in points at 72 dots per inch, that is pixels of the em;
  // the line is taller than the em, so step down until it fits.
  for (int size = line_height; size > 1; --size) {
    TTF_Font* opened = TTF_OpenFont(file.c_str(), size);
    if (!opened) {
      std::fprintf(stderr, "warblet: text cannot be drawn: %s\n", TTF_GetError());
      failed = true;
      return nullptr;
    }
    if (TTF_FontHeight(opened) <= line_height) return faces[line_height] = opened;
    TTF_CloseFont(opened);
  }
  failed = true;
  return nullptr;
}

}  // namespace portable
