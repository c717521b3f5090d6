// The scripted host: runs the program on a virtual clock, with input and
// actions scheduled at virtual times, and records what the program asked of the
// machine. Constructing one installs it (and with it a fresh process: no
// windows, classes or queued messages from an earlier test); destroying it
// uninstalls it.
//
// When the program waits, virtual time jumps to the earlier of its deadline and
// the next scheduled item, so tests never sleep. A wait with no deadline and
// nothing scheduled would never end: the host reports it as a failed wait and
// sets stalled().
//
// Each read of the counter costs one microsecond of virtual time, as work does
// on a real machine: a program that polls the clock sees it move.
//
// The desktop: virtual monitors (by default one 1920 x 1080 primary with a task
// bar 40 pixels tall along its bottom), a Windows-like frame around framed
// windows (8 pixels at the sides and bottom, 31 at the top with the caption),
// and a cursor that stays where the test puts it. Native windows keep their
// placement, title, visibility, full-screen state and the pixels last presented,
// for the test to read; they are never forgotten, so a destroyed one can be
// inspected too.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/seam/host.h"
#include "tests/support/scripted_audio.h"

namespace scripted {

struct wait_record {
  enum class kind { for_input, sleep };
  kind type;
  std::int64_t timeout_ms;  // -1 = without limit
  std::int64_t started_ns;
};

struct message_box_record {
  std::string title;
  std::string text;
};

struct native_window_record {
  std::string title;
  bool framed = false;
  std::int32_t icon_width = 0, icon_height = 0;  // 0 without an icon of the program's
  bool position_known = false;
  std::int32_t x = 0, y = 0, width = 0, height = 0;  // the client area on the screen
  bool visible = false;
  bool full_screen = false;
  bool destroyed = false;
  // The pixels last presented (0x00RRGGBB, rows top to bottom), as large as the
  // picture presented last; black where nothing was presented yet.
  std::int32_t screen_width = 0, screen_height = 0;
  std::vector<std::uint32_t> screen;
};

struct present_record {
  portable::native_window window;
  portable::screen_rect rect;
};

// A key as the host reports it (the fields of host_event's key).
struct key_press {
  std::uint32_t virtual_key;
  std::uint32_t scan_code = 0;
  bool extended = false;
  bool repeat = false;
  bool alt = false;
  std::uint32_t locks = 0;
};

// Events as the host would report them, for event_at and event_now.
portable::host_event key_down(portable::native_window w, key_press key);
portable::host_event key_up(portable::native_window w, key_press key);
portable::host_event typed(portable::native_window w, std::u16string text);
portable::host_event mouse_move(portable::native_window w, std::int32_t x, std::int32_t y);
portable::host_event button(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t button,
                            bool down);
// x, y in screen coordinates; delta in multiples of 120 per notch, away from the user positive.
portable::host_event wheel(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t delta);
// The user resized the client area, or moved its top-left corner to x, y.
portable::host_event resized(portable::native_window w, std::int32_t width, std::int32_t height);
portable::host_event moved(portable::native_window w, std::int32_t x, std::int32_t y);
portable::host_event minimized(portable::native_window w);
portable::host_event restored(portable::native_window w);
portable::host_event exposed(portable::native_window w);

class host final : public portable::host {
 public:
  host();
  ~host() override;

  // Virtual time in nanoseconds; the counter ticks once per nanosecond.
  std::int64_t now() const { return now_ns; }
  void set_now(std::int64_t t) { now_ns = t; }

  // Runs `action` on the program's thread once virtual time reaches t.
  void at(std::int64_t t, std::function<void()> action);
  void post_quit_at(std::int64_t t);
  // Window 0 asks every window to close, as a signal does.
  void close_request_at(std::int64_t t, portable::native_window w = 0);
  // Reports `event` at virtual time t, or at once. A resize or move also
  // changes the native window's placement, as the user's drag does.
  void event_at(std::int64_t t, const portable::host_event& event);
  void event_now(const portable::host_event& event);

  // Called as each wait or sleep begins, before time moves.
  std::function<void(const wait_record&)> on_wait;

  const std::vector<wait_record>& waits() const { return wait_log; }
  // Empties the logs of waits, presents and settled pictures, so that a long
  // run holds no more memory at its end than at its start.
  void forget_logs();
  const std::vector<message_box_record>& message_boxes() const { return box_log; }
  bool cursor_visible() const { return cursor_shown; }
  bool stalled() const { return stalled_flag; }
  // What capture devices hear; it can also refuse to open one.
  scripted::microphone& microphone() { return mic; }

  // The desktop.
  void set_monitors(std::vector<portable::monitor_info> list) { monitor_list = std::move(list); }
  static std::vector<portable::monitor_info> default_monitors();
  void set_cursor_position(std::int32_t x, std::int32_t y);
  portable::screen_rect frame{8, 31, 8, 8};
  // The fault of a machine with no display: no window can be made.
  bool fail_window_creation = false;
  // The fault of a machine whose DrawDib cannot be opened.
  bool fail_drawdib = false;
  bool can_draw_bitmaps() override { return !fail_drawdib; }
  // The pictures the program was said to draw from again and again, in order.
  std::vector<std::pair<const void*, std::size_t>> settled_pictures;
  void settle_picture(const void* start, std::size_t bytes) override {
    settled_pictures.emplace_back(start, bytes);
  }
  // Calls that fail while this says so; asked once per call, so it can count
  // calls and refuse some of them.
  std::function<bool(fallible call)> failing;
  bool fails(fallible call) override { return failing && failing(call); }
  // The fault of a machine out of memory for a picture: while set, the
  // program's allocations that can take a refusal (new (std::nothrow) of an
  // array) get none.
  bool fail_pixel_allocation = false;
  // Runs while a message box is up, as a modal loop runs on Windows: what it
  // does (a repaint, say) happens inside the program's MessageBoxW.
  std::function<void()> during_message_box;
  // Whether the screen scrolls what it shows, as an X server does, or the
  // subset must present the moved pixels.
  bool scrolls_shown = true;

  // Native windows, numbered from 1 in the order they were made.
  const native_window_record& window(portable::native_window w) const;
  portable::native_window newest_window() const {
    return static_cast<portable::native_window>(windows.size());
  }
  // A pixel last presented, 0x00RRGGBB.
  std::uint32_t pixel(portable::native_window w, std::int32_t x, std::int32_t y) const;
  const std::vector<present_record>& presents() const { return present_log; }

  std::int64_t counter() override;
  std::int64_t counter_frequency() override { return 1000000000; }
  wake wait_for_input(std::int64_t timeout_ms) override;
  void sleep(std::uint32_t ms) override;
  bool next_event(portable::host_event& event) override;
  portable::native_window create_window(const portable::window_spec& spec, std::string& error) override;
  void destroy_window(portable::native_window w) override;
  void set_title(portable::native_window w, const std::string& title_utf8) override;
  void show_window(portable::native_window w, bool visible) override;
  void place_window(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) override;
  void set_full_screen(portable::native_window w, bool full_screen) override;
  void present(portable::native_window w, const std::uint32_t* pixels, std::int32_t width,
               std::int32_t height, std::int32_t stride, const portable::screen_rect& rect) override;
  bool scroll_shown(portable::native_window w, const portable::screen_rect& destination, std::int32_t dx,
                    std::int32_t dy) override;
  portable::screen_rect frame_extents() override { return frame; }
  std::vector<portable::monitor_info> monitors() override { return monitor_list; }
  void cursor_position(std::int32_t& x, std::int32_t& y) override;
  void set_cursor_visible(bool visible) override { cursor_shown = visible; }
  std::unique_ptr<portable::audio_capture> open_capture(std::int32_t rate, std::int32_t channels,
                                                        std::string& error) override;
  bool message_box(const std::string& title_utf8, const std::string& text_utf8) override;

 private:
  // Runs every item due by `until`, advancing the clock to each; true if any ran.
  bool run_due(std::int64_t until);
  void log_wait(wait_record::kind type, std::int64_t timeout_ms);
  native_window_record& record(portable::native_window w);

  std::int64_t now_ns = 0;
  std::multimap<std::int64_t, std::function<void()>> schedule;
  std::vector<portable::host_event> events;
  std::vector<wait_record> wait_log;
  std::vector<message_box_record> box_log;
  std::vector<native_window_record> windows;
  std::vector<present_record> present_log;
  std::vector<portable::monitor_info> monitor_list = default_monitors();
  std::int32_t cursor_x = 0, cursor_y = 0;
  bool cursor_shown = true;
  bool stalled_flag = false;
  scripted::microphone mic{now_ns};
};

}  // namespace scripted
