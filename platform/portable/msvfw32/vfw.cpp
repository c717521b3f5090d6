#include "platform/portable/msvfw32/vfw.h"

#include <cstdint>
#include <memory>

#include "platform/portable/gdi32/device_context.h"
#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/msvfw32/drawdib_handle.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/process_state.h"

namespace {

// The open handles; anything else passed in is refused.
portable::drawdib_table& open_handles() {
  return portable::process_part_of<portable::drawdib_handles>().open;
}

// A picture this implementation can copy from: uncompressed, 32 bits, rows
// stored bottom-up.
bool is_supported(const BITMAPINFOHEADER* header) {
  return header && header->biSize >= sizeof(BITMAPINFOHEADER) && header->biPlanes == 1 &&
         header->biBitCount == 32 && header->biCompression == BI_RGB && header->biWidth > 0 &&
         header->biHeight > 0;
}

// A program draws the same picture again and again, often a column at a time,
// so the host is told of it (host::settle_picture): at its first draw, and
// again now and then, since a picture made anew at the same address and size
// looks the same here but may have lost what the host did for the old one.
void settle_picture(portable::drawdib_handle& drawdib, const void* bits, std::size_t bytes) {
  constexpr unsigned draws_between_tries = 256;
  const bool same_picture = bits == drawdib.last_bits && bytes == drawdib.last_bytes;
  if (same_picture && ++drawdib.draws % draws_between_tries != 0) return;
  drawdib.last_bits = bits;
  drawdib.last_bytes = bytes;
  drawdib.draws = 0;
  portable::current_host().settle_picture(bits, bytes);
}

}  // namespace

HDRAWDIB WINAPI DrawDibOpen() {
  if (!portable::current_host().can_draw_bitmaps()) return nullptr;
  return open_handles().add(std::make_unique<portable::drawdib_handle>());
}

BOOL WINAPI DrawDibClose(HDRAWDIB drawdib) { return open_handles().erase(drawdib) ? TRUE : FALSE; }

BOOL WINAPI DrawDibDraw(HDRAWDIB drawdib, HDC dc, int x_dst, int y_dst, int dx_dst, int dy_dst,
                        LPBITMAPINFOHEADER header, LPVOID bits, int x_src, int y_src, int dx_src, int dy_src,
                        UINT flags) {
  portable::pixel_target target;
  portable::drawdib_handle* const state = open_handles().find(drawdib);
  if (!state || !bits || !is_supported(header) || !portable::pixels_of(dc, target)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::int32_t width = header->biWidth, height = header->biHeight;
  const bool one_to_one = dx_dst == dx_src && dy_dst == dy_src && dx_src >= 0 && dy_src >= 0;
  const bool inside = x_src >= 0 && y_src >= 0 && x_src + dx_src <= width && y_src + dy_src <= height;
  if (!one_to_one || !inside) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT destination{x_dst, y_dst, x_dst + dx_dst, y_dst + dy_dst};
  const auto* source = static_cast<const unsigned char*>(bits);
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
  settle_picture(*state, bits, row_bytes * static_cast<std::size_t>(height));
  // A narrow rectangle, a new column say, is a read from a different row, far
  // from the last, for every pixel: the hardware does not guess those, so the
  // rows a few ahead are asked for early.
  constexpr std::int32_t rows_ahead = 8;
  for (const RECT& part : portable::visible_parts(dc, destination)) {
    for (LONG y = part.top; y < part.bottom; ++y) {
      // Source row y_src + (y - y_dst), counted from the top, is stored row
      // height - 1 - that.
      const std::int32_t stored_row = height - 1 - (y_src + (y - y_dst));
      const auto* from =
          source + stored_row * row_bytes + static_cast<std::size_t>(x_src + part.left - x_dst) * 4;
      if (stored_row >= rows_ahead) __builtin_prefetch(from - rows_ahead * row_bytes);
      std::uint32_t* to = target.pixels + static_cast<std::size_t>(y) * target.stride + part.left;
      for (LONG x = part.left; x < part.right; ++x, from += 4) {
        // Bytes blue, green, red and an ignored fourth: the screen's 0x00RRGGBB.
        *to++ = std::uint32_t{from[2]} << 16 | std::uint32_t{from[1]} << 8 | from[0];
      }
    }
  }
  portable::mark_drawn(dc, destination);
  return TRUE;
}
