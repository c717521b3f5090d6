#include <algorithm>

#include "platform/portable/hosts/sdl/sdl_host.h"

namespace portable {

sdl_host::window_state* sdl_host::find(native_window w) {
  const auto found = windows.find(w);
  return found == windows.end() ? nullptr : &found->second;
}

SDL_Rect sdl_host::placement_of(SDL_Window* sdl) const {
  SDL_Rect r{};
  SDL_GetWindowPosition(sdl, &r.x, &r.y);
  SDL_GetWindowSize(sdl, &r.w, &r.h);
  const SDL_Point o = origin();
  r.x -= o.x;
  r.y -= o.y;
  return r;
}

native_window sdl_host::create_window(const window_spec& spec, std::string& error) {
  if (!start_video(error)) return 0;
  const SDL_Point o = origin();
  const int x = spec.position_known ? spec.x + o.x : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
  const int y = spec.position_known ? spec.y + o.y : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
  const Uint32 flags = SDL_WINDOW_HIDDEN | (spec.framed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_BORDERLESS);
  // SDL refuses an empty window; a client area of nothing is shown as one pixel.
  SDL_Window* sdl = SDL_CreateWindow(spec.title_utf8.c_str(), x, y, std::max(spec.width, 1),
                                     std::max(spec.height, 1), flags);
  if (!sdl) {
    error = std::string("cannot create a window: ") + SDL_GetError();
    return 0;
  }
  if (spec.icon_rgba) {
    // SDL copies the picture, so the surface only borrows the bytes.
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(spec.icon_rgba), spec.icon_width,
                                           spec.icon_height, 32, spec.icon_width * 4, SDL_PIXELFORMAT_RGBA32);
    if (icon) {
      SDL_SetWindowIcon(sdl, icon);
      SDL_FreeSurface(icon);
    }
  }
  const native_window id = SDL_GetWindowID(sdl);
  window_state& s = windows[id];
  s.sdl = sdl;
  s.framed = spec.framed;
  s.reported = placement_of(sdl);
  if (video) s.native = video->output_for(sdl);
  // Some drivers (Wayland's, say) can refuse a window surface; a window nothing
  // can be drawn in would leave the program running with nothing to see.
  SDL_ClearError();
  if (!s.native && !SDL_GetWindowSurface(sdl)) {
    // SDL gives no reason when the driver simply has no surface to offer.
    const std::string why = SDL_GetError();
    error = "cannot draw in a window: " + (why.empty() ? "SDL's video driver offers no window surface" : why);
    SDL_DestroyWindow(sdl);
    windows.erase(id);
    return 0;
  }
  return id;
}

void sdl_host::destroy_window(native_window w) {
  if (window_state* s = find(w)) {
    SDL_DestroyWindow(s->sdl);
    windows.erase(w);
  }
}

void sdl_host::set_title(native_window w, const std::string& title_utf8) {
  if (window_state* s = find(w)) SDL_SetWindowTitle(s->sdl, title_utf8.c_str());
}

void sdl_host::show_window(native_window w, bool visible) {
  if (window_state* s = find(w)) (visible ? SDL_ShowWindow : SDL_HideWindow)(s->sdl);
}

void sdl_host::place_window(native_window w, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) {
  window_state* s = find(w);
  if (!s) return;
  const SDL_Rect wanted{x, y, std::max(width, 1), std::max(height, 1)};
  if (s->before_full_screen) {
    // Where the window goes when it leaves full screen, as SDL has it too.
    s->before_full_screen = wanted;
    return;
  }
  const SDL_Point o = origin();
  SDL_SetWindowPosition(s->sdl, wanted.x + o.x, wanted.y + o.y);
  SDL_SetWindowSize(s->sdl, wanted.w, wanted.h);
  // The subset knows what it asked for; SDL's echoes of it are not news, but
  // a window manager that gave something else is.
  s->reported = wanted;
  report_placement(w, *s, placement_of(s->sdl));
}

void sdl_host::set_full_screen(native_window w, bool full_screen) {
  window_state* s = find(w);
  if (!s || full_screen == s->before_full_screen.has_value()) return;
  if (full_screen) {
    // A window manager makes a full-screen window cover its monitor; where
    // there is none, SDL only believes it does. So the window goes there first.
    SDL_Rect monitor;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(s->sdl), &monitor) != 0) return;
    s->before_full_screen = s->reported;
    SDL_SetWindowPosition(s->sdl, monitor.x, monitor.y);
    SDL_SetWindowSize(s->sdl, monitor.w, monitor.h);
    SDL_SetWindowFullscreen(s->sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  const SDL_Rect before = *s->before_full_screen;
  s->before_full_screen.reset();
  SDL_SetWindowFullscreen(s->sdl, 0);
  // With no window manager SDL gives back the position but not the size. The
  // changes reach the subset as events, as the ones into full screen did.
  const SDL_Point o = origin();
  SDL_SetWindowSize(s->sdl, before.w, before.h);
  SDL_SetWindowPosition(s->sdl, before.x + o.x, before.y + o.y);
}

void sdl_host::present(native_window w, const std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                       std::int32_t stride, const screen_rect& rect) {
  window_state* s = find(w);
  if (!s || !pixels) return;
  if (s->native) {
    s->native->present(pixels, width, height, stride, rect);
    return;
  }
  // After a resize this is a new surface of the new size.
  SDL_Surface* surface = SDL_GetWindowSurface(s->sdl);
  if (!surface) return;
  // The picture and the surface differ in size while a resize is on its way
  // to the subset: copy what both have.
  const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
  const int right = std::min({rect.right, width, surface->w});
  const int bottom = std::min({rect.bottom, height, surface->h});
  if (left >= right || top >= bottom) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_XRGB8888,
                    pixels + static_cast<std::ptrdiff_t>(top) * stride + left, stride * 4,
                    surface->format->format,
                    static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(top) * surface->pitch +
                        static_cast<std::ptrdiff_t>(left) * surface->format->BytesPerPixel,
                    surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect changed{left, top, right - left, bottom - top};
  SDL_UpdateWindowSurfaceRects(s->sdl, &changed, 1);
}

bool sdl_host::scroll_shown(native_window w, const screen_rect& destination, std::int32_t dx,
                            std::int32_t dy) {
  window_state* s = find(w);
  if (!s || !s->native) return false;
  s->native->scroll(destination, dx, dy);
  return true;
}

screen_rect sdl_host::frame_extents() {
  // Window managers tell a window its frame once it has one; until a framed
  // window has been told, and where there is no window manager, there is none.
  for (const auto& [id, s] : windows) {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (s.framed && !s.before_full_screen &&
        SDL_GetWindowBordersSize(s.sdl, &top, &left, &bottom, &right) == 0 &&
        (top | left | bottom | right) != 0)
      frame_seen = screen_rect{left, top, right, bottom};
  }
  return frame_seen;
}

}  // namespace portable
