// The SDL2 host: the real machine underneath the portable Win32 subset.
//
// Implements from host.h:
//   - the counter (SDL's performance counter);
//   - waiting for input (SDL_WaitEventTimeout) and sleeping (SDL_Delay);
//   - events: SDL_QUIT, which SDL raises for SIGINT and SIGTERM, is a close request;
//   - the cursor's visibility;
//   - the message box (SDL_ShowSimpleMessageBox).
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/portable/host.h"

namespace portable {

class sdl_host final : public host {
 public:
  // Initialises SDL; on failure returns null with the reason in `error`.
  static std::unique_ptr<sdl_host> open(std::string& error);
  ~sdl_host() override;

  std::int64_t counter() override;
  std::int64_t counter_frequency() override;
  wake wait_for_input(std::int64_t timeout_ms) override;
  void sleep(std::uint32_t ms) override;
  bool next_event(host_event& event) override;
  native_window create_window(const window_spec& spec, std::string& error) override;
  void destroy_window(native_window w) override;
  void set_title(native_window w, const std::string& title_utf8) override;
  void show_window(native_window w, bool visible) override;
  void place_window(native_window w, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) override;
  void set_full_screen(native_window w, bool full_screen) override;
  void present(native_window w, const std::uint32_t* pixels, std::int32_t width, std::int32_t height,
               std::int32_t stride, const screen_rect& rect) override;
  screen_rect frame_extents() override;
  std::vector<monitor_info> monitors() override;
  void cursor_position(std::int32_t& x, std::int32_t& y) override;
  void set_cursor_visible(bool visible) override;
  std::unique_ptr<audio_capture> open_capture(std::int32_t rate, std::int32_t channels,
                                              std::string& error) override;
  bool message_box(const std::string& title_utf8, const std::string& text_utf8) override;

 private:
  sdl_host() = default;
  bool take_sdl_event(SDL_Event& e);

  // The event that ended a wait. SDL 2.26 drops the event when an unlimited
  // wait is given nowhere to put it, so waits always take one and keep it here.
  std::optional<SDL_Event> held;
};

}  // namespace portable
