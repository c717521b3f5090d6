#include "platform/portable/user32/update_region.h"

#include "platform/portable/seam/host.h"
#include "platform/portable/user32/user_state.h"

namespace portable {
namespace {

// A region of many small rectangles (text, say) is presented as its bounding
// box: one copy of a few more pixels is cheaper than many small ones.
constexpr std::size_t most_rectangles_presented_singly = 8;

}  // namespace

void invalidate(window& w, region area, bool erase) {
  if (!w.visible) return;
  area.intersect(region(w.client_rect()));
  if (area.empty()) return;
  w.update.unite(area);
  w.erase_pending = w.erase_pending || erase;
}

HWND window_to_paint(HWND filter) {
  HWND found = nullptr;
  user_process().windows.each([&](window& w) {
    if (!found && w.visible && !w.update.empty() && (!filter || w.handle == filter)) found = w.handle;
  });
  return found;
}

// Hands each window's drawn pixels to the host, once per batch of drawing: the
// program's pixels reach the screen before it waits or reads its messages.
void user_state::on_platform_entered() {
  host& h = current_host();
  windows.each([&](window& w) {
    if (w.drawn.empty()) return;
    region shown = w.drawn;
    w.drawn = region();
    shown.intersect(region(w.client_rect()));
    if (!w.native || !w.visible || shown.empty()) return;
    std::vector<RECT> parts = shown.rectangles();
    if (parts.size() > most_rectangles_presented_singly) parts = {shown.bounds()};
    for (const RECT& part : parts)
      h.present(w.native, w.surface.data(), w.surface.width(), w.surface.height(), w.surface.width(),
                screen_rect{part.left, part.top, part.right, part.bottom});
  });
}

}  // namespace portable
