// The scripted host: runs the program on a virtual clock, with input and
// actions scheduled at virtual times, and records what the program asked of the
// machine. Constructing one installs it (and empties the message queue left by
// an earlier test); destroying it uninstalls it.
//
// When the program waits, virtual time jumps to the earlier of its deadline and
// the next scheduled item, so tests never sleep. A wait with no deadline and
// nothing scheduled would never end: the host reports it as a failed wait and
// sets stalled().
//
// Each read of the counter costs one microsecond of virtual time, as work does
// on a real machine: a program that polls the clock sees it move.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/portable/host.h"
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
  void close_request_at(std::int64_t t);

  // Called as each wait or sleep begins, before time moves.
  std::function<void(const wait_record&)> on_wait;

  const std::vector<wait_record>& waits() const { return wait_log; }
  const std::vector<message_box_record>& message_boxes() const { return box_log; }
  bool cursor_visible() const { return cursor_shown; }
  bool stalled() const { return stalled_flag; }
  // What capture devices hear; it can also refuse to open one.
  scripted::microphone& microphone() { return mic; }

  std::int64_t counter() override;
  std::int64_t counter_frequency() override { return 1000000000; }
  wake wait_for_input(std::int64_t timeout_ms) override;
  void sleep(std::uint32_t ms) override;
  bool next_event(portable::host_event& event) override;
  portable::native_window create_window(const portable::window_spec& spec, std::string& error) override;
  void destroy_window(portable::native_window) override {}
  void set_title(portable::native_window, const std::string&) override {}
  void show_window(portable::native_window, bool) override {}
  void place_window(portable::native_window, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
  void set_full_screen(portable::native_window, bool) override {}
  void present(portable::native_window, const std::uint32_t*, std::int32_t, std::int32_t, std::int32_t,
               const portable::screen_rect&) override {}
  portable::screen_rect frame_extents() override { return {}; }
  std::vector<portable::monitor_info> monitors() override;
  void cursor_position(std::int32_t& x, std::int32_t& y) override { x = y = 0; }
  void set_cursor_visible(bool visible) override { cursor_shown = visible; }
  std::unique_ptr<portable::audio_capture> open_capture(std::int32_t rate, std::int32_t channels,
                                                        std::string& error) override;
  bool message_box(const std::string& title_utf8, const std::string& text_utf8) override;

 private:
  // Runs every item due by `until`, advancing the clock to each; true if any ran.
  bool run_due(std::int64_t until);
  void log_wait(wait_record::kind type, std::int64_t timeout_ms);

  std::int64_t now_ns = 0;
  std::multimap<std::int64_t, std::function<void()>> schedule;
  std::vector<portable::host_event> events;
  std::vector<wait_record> wait_log;
  std::vector<message_box_record> box_log;
  bool cursor_shown = true;
  bool stalled_flag = false;
  scripted::microphone mic{now_ns};
};

}  // namespace scripted
