// ScrollWindowEx: moving a window's pixels and what is waiting to be painted.
#include <algorithm>
#include <cstring>

#include "platform/portable/gdi32/gdi_state.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/user32/paint.h"
#include "platform/portable/user32/update_region.h"

using namespace portable;

namespace {

// Moves the pixels that land in `destination` by dx, dy. A single rectangle
// (the usual case: the whole client area less a strip) moves in place, rows in
// an order that never reads a row already overwritten; anything else goes
// through a copy of the pixels.
void move_pixels(pixel_surface& surface, const region& destination, int dx, int dy) {
  const std::vector<RECT> parts = destination.rectangles();
  if (parts.empty() || (dx == 0 && dy == 0)) return;
  const std::size_t area = static_cast<std::size_t>(surface.width()) * surface.height();
  const std::vector<std::uint32_t> copy =
      parts.size() == 1 ? std::vector<std::uint32_t>()
                        : std::vector<std::uint32_t>(surface.data(), surface.data() + area);
  const std::uint32_t* source = copy.empty() ? surface.data() : copy.data();
  for (const RECT& part : parts) {
    const std::size_t count = static_cast<std::size_t>(part.right - part.left);
    for (LONG i = 0; i < part.bottom - part.top; ++i) {
      const LONG y = dy > 0 ? part.bottom - 1 - i : part.top + i;
      const std::uint32_t* from =
          source + static_cast<std::size_t>(y - dy) * surface.width() + (part.left - dx);
      std::memmove(surface.row(y) + part.left, from, count * sizeof(std::uint32_t));
    }
  }
}

// What the screen shows of `destination` moves too: by the host, where it can
// move what it shows (the pixels then need not travel again), else by
// presenting the moved pixels. Pixels drawn but not yet presented are still to
// be presented wherever they went.
void move_shown(window& w, const region& destination, int dx, int dy) {
  const std::vector<RECT> parts = destination.rectangles();
  const bool moved_by_host =
      w.native && w.visible && parts.size() == 1 &&
      current_host().scroll_shown(
          w.native, screen_rect{parts[0].left, parts[0].top, parts[0].right, parts[0].bottom}, dx, dy);
  if (!moved_by_host) {
    w.mark_drawn(destination);
    return;
  }
  region drawn_there = w.drawn;
  drawn_there.translate(dx, dy).intersect(destination);
  w.drawn.subtract(destination).unite(drawn_there);
}

}  // namespace

int WINAPI ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip,
                          HRGN update_region, LPRECT update_rect, UINT flags) {
  portable::window* w = find_window(window);
  region* out = update_region ? gdi_process().gdi.find_as<region>(update_region) : nullptr;
  if (!w || (update_region && !out)) return ERROR;
  const region client(w->client_rect());
  region source = client;
  if (scroll) source.intersect(region(*scroll));
  region limit = client;
  if (clip) limit.intersect(region(*clip));

  region destination = source;
  destination.translate(dx, dy).intersect(limit);
  // Scrolling the whole client area, the usual case, moves where the picture
  // starts rather than every pixel.
  const bool whole =
      same_rect(source.bounds(), w->client_rect()) && same_rect(limit.bounds(), w->client_rect());
  if (!(whole && w->surface.scroll(dx, dy))) move_pixels(w->surface, destination, dx, dy);
  move_shown(*w, destination, dx, dy);

  region uncovered = source;
  uncovered.intersect(limit).subtract(destination);
  region carried = w->update;
  carried.intersect(source).translate(dx, dy).intersect(limit);
  w->update.unite(carried);
  if (flags & SW_INVALIDATE) invalidate(*w, uncovered, (flags & SW_ERASE) != 0);

  if (out) *out = region(uncovered).unite(carried);
  if (update_rect) *update_rect = uncovered.bounds();
  return uncovered.type();
}
