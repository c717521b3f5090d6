// Text output: TextOutW draws with the context's font, text colour, background
// mode and alignment.
#include <SDL_ttf.h>

#include <memory>

#include "platform/portable/gdi32/drawing.h"
#include "platform/portable/gdi32/gdi.h"
#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/seam/utf.h"

using namespace portable;

namespace {

constexpr std::int32_t system_font_line_height = 16;

struct surface_deleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// Where the text's cell goes for the reference point x, y.
RECT text_cell(UINT align, int x, int y, int width, int height, int ascent) {
  const int left = (align & TA_CENTER) == TA_CENTER ? x - width / 2 : (align & TA_RIGHT) ? x - width : x;
  const int top = (align & TA_BASELINE) == TA_BASELINE ? y - ascent : (align & TA_BOTTOM) ? y - height : y;
  return RECT{left, top, left + width, top + height};
}

std::uint32_t blend(std::uint32_t under, std::uint32_t over, std::uint32_t alpha) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
    result |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
  }
  return result;
}

}  // namespace

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  std::optional<drawing_target> target = drawing_target_of(dc);
  if (!target || count < 0 || (count > 0 && !text)) return FALSE;
  if (count == 0) return TRUE;
  const font* selected = gdi_process().gdi.find_as<font>(target->context.font);
  TTF_Font* face = gdi_process().fonts.face(selected ? selected->line_height : system_font_line_height);
  if (!face) return TRUE;  // without a font the text is left out; stderr has said why
  const std::string utf8 = utf8_from_utf16(std::u16string_view(text, static_cast<std::size_t>(count)));
  // Rendered white: the coverage is in the alpha channel.
  std::unique_ptr<SDL_Surface, surface_deleter> glyphs(
      TTF_RenderUTF8_Blended(face, utf8.c_str(), SDL_Color{255, 255, 255, 255}));
  if (!glyphs || glyphs->format->BytesPerPixel != 4) return FALSE;

  const RECT cell = text_cell(target->context.text_align, x, y, glyphs->w, glyphs->h, TTF_FontAscent(face));
  region visible(cell);
  visible.intersect(target->allowed);
  if (target->context.background_mode == OPAQUE) fill(*target, visible, RGB(255, 255, 255));
  const std::uint32_t ink = pixel_of(target->context.text_colour);
  const SDL_PixelFormat* format = glyphs->format;
  for (const RECT& part : visible.rectangles()) {
    for (LONG row = part.top; row < part.bottom; ++row) {
      const auto* source =
          reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(glyphs->pixels) +
                                                 static_cast<std::ptrdiff_t>(row - cell.top) * glyphs->pitch);
      std::uint32_t* pixels = target->owner.pixels().row(row);
      for (LONG column = part.left; column < part.right; ++column) {
        const std::uint32_t alpha = (source[column - cell.left] & format->Amask) >> format->Ashift;
        if (alpha) pixels[column] = blend(pixels[column], ink, alpha);
      }
    }
  }
  target->owner.mark_drawn(visible);
  return TRUE;
}
