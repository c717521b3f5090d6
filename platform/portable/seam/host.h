// The seam between the portable Win32 subset and the machine it runs on.
//
// A host supplies:
//   - a monotonic counter and its frequency (QueryPerformanceCounter);
//   - blocking until input arrives or a timeout passes (MsgWaitForMultipleObjects)
//     and plain sleeping (Sleep);
//   - native windows: create, destroy, place, title, show, full screen,
//     presenting a rectangle of the window's pixels, which the subset keeps,
//     and, where it can, scrolling what the screen shows;
//   - input events, drained by the message queue: keys, text, mouse, wheel,
//     size, minimise, close;
//   - the monitors with their areas and work areas, the frame a window manager
//     adds around a framed window, and the cursor's position and visibility;
//   - audio capture at a given rate and channel count;
//   - a modal message box.
// The SDL2 host (hosts/sdl/) is the real one; the scripted host in tests/support/ runs
// the program on a virtual clock. Everything is called on the program's thread.
//
// Coordinates are screen pixels, y downward, origin at the primary monitor's
// top-left corner, as Windows has them. Window positions and sizes are those of
// the client area; the subset adds the frame itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace portable {

// The host's name for one of its native windows; 0 is none.
using native_window = std::uint32_t;

struct screen_rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct host_event {
  enum class kind {
    close_requested,  // the user or the system asked the application to close
                      // (window 0: every window, as for SIGINT and SIGTERM)
    key,              // key: a key went down (also auto-repeat) or up
    text,             // text: what the last key-down typed, as UTF-16 code units
    mouse_move,       // mouse: x, y
    button,           // mouse: x, y, button, down
    wheel,            // mouse: x, y (screen coordinates), wheel_delta
    resized,          // placement: the new client size (width, height)
    moved,            // placement: the client area's new top-left corner (x, y)
    minimized,
    restored,  // back from minimised
    exposed,   // the window's pixels must be presented again
  };
  // Lock keys that are on, in key.locks.
  static constexpr std::uint32_t num_lock = 1, caps_lock = 2, scroll_lock = 4;

  kind type = kind::close_requested;
  native_window window = 0;
  struct {
    std::uint32_t virtual_key;  // VK_ value
    std::uint32_t scan_code;
    bool extended;  // the extended-key flag of Windows' lParam bit 24
    bool down;
    bool repeat;          // auto-repeat: the key was already down
    bool alt;             // Alt is held: WM_SYSKEYDOWN/UP rather than WM_KEYDOWN/UP
    std::uint32_t locks;  // num_lock | caps_lock | scroll_lock that are on
  } key{};
  std::u16string text;
  struct {
    std::int32_t x, y;    // client pixels, y downward (wheel: screen pixels)
    std::int32_t button;  // 0 left, 1 right, 2 middle
    bool down;
    std::int32_t wheel_delta;  // multiples of 120 per notch, away from the user positive
  } mouse{};
  struct {
    std::int32_t x, y, width, height;
  } placement{};
};

struct monitor_info {
  screen_rect area;
  screen_rect work_area;  // the area less task bars and docks
  bool primary = false;
  std::string name;  // device name, UTF-8
};

struct window_spec {
  std::string title_utf8;
  bool position_known = false;         // else the host chooses where the window goes
  std::int32_t x = 0, y = 0;           // client area's top-left corner
  std::int32_t width = 0, height = 0;  // client size
  bool framed = true;                  // a caption and a sizing border; else a bare popup
  // The window's icon: RGBA bytes, rows top to bottom; null for the host's own.
  const std::uint8_t* icon_rgba = nullptr;
  std::int32_t icon_width = 0, icon_height = 0;
};

// A capture device, opened at a rate and channel count of 16-bit samples.
class audio_capture {
 public:
  virtual ~audio_capture() = default;
  // Moves up to `max_samples` of what has arrived, oldest first, into `out`;
  // returns how many. Never blocks.
  virtual std::size_t read(std::int16_t* out, std::size_t max_samples) = 0;
  // Samples thrown away because they were not read in time.
  virtual std::uint64_t dropped() const = 0;
};

class host {
 public:
  enum class wake { input, timeout, failed };

  virtual ~host() = default;

  virtual std::int64_t counter() = 0;
  virtual std::int64_t counter_frequency() = 0;

  // Blocks until an event is pending or timeout_ms passes; a negative timeout
  // waits without limit. `failed` means the host cannot wait (for the scripted
  // host: nothing would ever wake the program).
  virtual wake wait_for_input(std::int64_t timeout_ms) = 0;
  virtual void sleep(std::uint32_t ms) = 0;
  // Takes the oldest pending event; false when there is none. Never blocks.
  virtual bool next_event(host_event& event) = 0;

  // Windows. create_window returns 0 and fills `error` when no window can be
  // made (no display). A new window is hidden until shown.
  virtual native_window create_window(const window_spec& spec, std::string& error) = 0;
  virtual void destroy_window(native_window w) = 0;
  virtual void set_title(native_window w, const std::string& title_utf8) = 0;
  virtual void show_window(native_window w, bool visible) = 0;
  // Moves and sizes the client area; a resize is not reported back as an event.
  virtual void place_window(native_window w, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) = 0;
  // Full screen covers the monitor the window is on; leaving it restores the
  // window's earlier placement.
  virtual void set_full_screen(native_window w, bool full_screen) = 0;
  // Copies `rect` (client coordinates) of an XRGB8888 picture of the whole
  // client area to the screen. `stride` is in pixels.
  virtual void present(native_window w, const std::uint32_t* pixels, std::int32_t width, std::int32_t height,
                       std::int32_t stride, const screen_rect& rect) = 0;
  // Moves what the screen shows of a window without the pixels: each pixel of
  // `destination` (client coordinates) takes what the screen showed at
  // (x - dx, y - dy). False where the host cannot; the subset then presents
  // the moved pixels instead.
  virtual bool scroll_shown(native_window, const screen_rect& /*destination*/, std::int32_t /*dx*/,
                            std::int32_t /*dy*/) {
    return false;
  }
  // Zeroed memory for a window's picture of `bytes` bytes, which std::free
  // releases; null when there is none. A host may place it where drawing into
  // it costs less.
  virtual void* picture_memory(std::size_t bytes) { return std::calloc(1, bytes == 0 ? 1 : bytes); }
  // Says that the program draws from `bytes` of its own memory at `start`
  // again and again, a column at a time (DrawDibDraw's source). A host may
  // move it where reading and writing it cost less; what it holds stays.
  virtual void settle_picture(const void* /*start*/, std::size_t /*bytes*/) {}
  // What a window manager adds around a framed client area, as distances
  // outward from the client rectangle (all 0 when unknown).
  virtual screen_rect frame_extents() = 0;

  // The monitors, the primary one first; never empty.
  virtual std::vector<monitor_info> monitors() = 0;
  virtual void cursor_position(std::int32_t& x, std::int32_t& y) = 0;
  virtual void set_cursor_visible(bool visible) = 0;

  // Whether pictures can be drawn into windows (DrawDibOpen); only a test
  // host ever says no.
  virtual bool can_draw_bitmaps() { return true; }
  // Calls that Windows may refuse now and then, and that a test host can make
  // fail to show what the program does then; asked once per call.
  enum class fallible { begin_paint, get_region_data, wave_in_add_buffer };
  virtual bool fails(fallible) { return false; }

  // Opens the default capture device for 16-bit samples; null with a sentence
  // in `error` when there is none or it refuses the format.
  virtual std::unique_ptr<audio_capture> open_capture(std::int32_t rate, std::int32_t channels,
                                                      std::string& error) = 0;

  // Shows a modal message box and returns once it is dismissed; false when no
  // message box could be shown.
  virtual bool message_box(const std::string& title_utf8, const std::string& text_utf8) = 0;
};

// The host the subset talks to. The process entry installs the default host;
// tests install the scripted host. Calling into the subset with none installed
// is a programming error and aborts with a message.
host& current_host();
void install_host(host* h);

// Opens the host this program was linked with (the SDL2 host), or returns null
// and fills `error` with a sentence saying why.
std::unique_ptr<host> open_default_host(std::string& error);

}  // namespace portable
