// The SDL2 host: the real machine underneath the portable Win32 subset.
//
// Implements from host.h:
//   - the counter, waiting for input, sleeping, the cursor's visibility and the
//     message box (sdl_host.cpp);
//   - windows: create, destroy, title, show, place, full screen (the
//     desktop-sized kind), present, frame extents (sdl_windows.cpp); pixels go
//     through SDL's window surface, or through the native output that the
//     video driver offers (native_output.h), which may also scroll what a
//     window shows;
//   - the monitors and the cursor's position (sdl_desktop.cpp);
//   - events: keys (through sdl_keys.h), text, mouse, wheel, window changes and
//     close requests; SDL_QUIT, which SDL raises for SIGINT and SIGTERM, asks
//     every window to close (sdl_events.cpp).
// Audio capture: sdl_capture.h.
//
// SDL's video starts at the first call that needs it, so that a machine with no
// display can still run the clock and events and fails only at create_window,
// with a sentence. So does a window that nothing can be drawn in.
//
// The host itself is the same on every system SDL runs on: what a particular
// window system or kernel offers is given to it (the native outputs), or added
// by a host built on it (picture_memory, for one).
#pragma once

#include <SDL.h>

#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "platform/portable/hosts/sdl/native_output.h"
#include "platform/portable/seam/host.h"

namespace portable {

class sdl_host : public host {
 public:
  // Initialises SDL's events and timer; on failure returns null with the
  // reason in `error`. Windows use the first of `outputs` made for the video
  // driver SDL picks, where one is.
  static std::unique_ptr<sdl_host> open(std::string& error, std::vector<const native_video*> outputs = {});
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
  bool scroll_shown(native_window w, const screen_rect& destination, std::int32_t dx,
                    std::int32_t dy) override;
  screen_rect frame_extents() override;
  std::vector<monitor_info> monitors() override;
  void cursor_position(std::int32_t& x, std::int32_t& y) override;
  void set_cursor_visible(bool visible) override;
  std::unique_ptr<audio_capture> open_capture(std::int32_t rate, std::int32_t channels,
                                              std::string& error) override;
  bool message_box(const std::string& title_utf8, const std::string& text_utf8) override;

 private:
  // A window the host made, and what it last told the subset about it.
  struct window_state {
    SDL_Window* sdl = nullptr;
    bool framed = true;
    // The client area as the subset last heard of it (host coordinates); SDL's
    // reports that match it are not news.
    SDL_Rect reported{};
    bool minimized = false;
    std::optional<SDL_Rect> before_full_screen;  // set while full screen: where to go back to
    std::unique_ptr<native_output> native;       // null where SDL's window surface serves
  };

 protected:
  explicit sdl_host(std::vector<const native_video*> outputs) : outputs(std::move(outputs)) {}
  // What every SDL host does before it exists: the hints it needs, and SDL's
  // events and timer. False with a sentence in `error`.
  static bool start_sdl(std::string& error);

 private:
  // Starts SDL's video once; false with a sentence in `error` when there is no
  // display to show windows on.
  bool start_video(std::string& error);
  // Where SDL's global coordinates have the primary monitor's top-left corner,
  // which is the host's origin.
  SDL_Point origin() const;
  window_state* find(native_window w);
  // Reads the window's client rectangle back from SDL, in host coordinates.
  SDL_Rect placement_of(SDL_Window* sdl) const;
  // Tells the subset where the window now is, as far as that is news to it:
  // a moved and/or a resized event.
  void report_placement(native_window w, window_state& s, const SDL_Rect& now);

  bool take_sdl_event(SDL_Event& e);
  // Appends what `e` means to the subset to `pending` (nothing, one or two events).
  void translate(const SDL_Event& e);
  void translate_key(const SDL_KeyboardEvent& e);
  void translate_window_event(const SDL_WindowEvent& e);

  Uint64 last_pump_ms = 0;        // SDL_GetTicks64 when SDL last read the display connection
  Uint64 last_quiet_wait_ms = 0;  // when a wait on the connection last ended with nothing sent
  bool server_sent = false;       // a wait saw the display server send something since
  std::deque<host_event> pending;
  std::map<native_window, window_state> windows;
  std::vector<const native_video*> outputs;  // those the host may use
  const native_video* video = nullptr;       // the one for SDL's video driver, if any
  bool video_started = false;
  std::string video_failure;  // why video could not start; it is not tried again
  // The frame extents last read from a window manager; they hold for windows
  // that do not exist yet.
  screen_rect frame_seen;
};

}  // namespace portable
