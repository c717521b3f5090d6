#include <string>

#include "platform/portable/hosts/sdl/sdl_host.h"

namespace portable {
namespace {

screen_rect screen_rect_of(const SDL_Rect& r, SDL_Point origin) {
  return {r.x - origin.x, r.y - origin.y, r.x - origin.x + r.w, r.y - origin.y + r.h};
}

}  // namespace

SDL_Point sdl_host::origin() const {
  // SDL numbers its primary display 0.
  SDL_Rect primary{};
  if (video_started) SDL_GetDisplayBounds(0, &primary);
  return {primary.x, primary.y};
}

std::vector<monitor_info> sdl_host::monitors() {
  std::vector<monitor_info> found;
  std::string no_display;
  if (start_video(no_display)) {
    const SDL_Point o = origin();
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
      SDL_Rect area, work;
      if (SDL_GetDisplayBounds(i, &area) != 0) continue;
      if (SDL_GetDisplayUsableBounds(i, &work) != 0) work = area;
      found.push_back({screen_rect_of(area, o), screen_rect_of(work, o), i == 0,
                       "\\\\.\\DISPLAY" + std::to_string(i + 1)});
    }
  }
  // With no display there is nothing to measure, and no window will open; one
  // monitor of a common size keeps the callers' arithmetic defined until then.
  if (found.empty()) {
    const screen_rect common{0, 0, 1024, 768};
    found.push_back({common, common, true, "\\\\.\\DISPLAY1"});
  }
  return found;
}

void sdl_host::cursor_position(std::int32_t& x, std::int32_t& y) {
  x = y = 0;
  std::string no_display;
  if (!start_video(no_display)) return;
  int global_x = 0, global_y = 0;
  SDL_GetGlobalMouseState(&global_x, &global_y);
  const SDL_Point o = origin();
  x = global_x - o.x;
  y = global_y - o.y;
}

}  // namespace portable
