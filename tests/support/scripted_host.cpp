#include "tests/support/scripted_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/win32.h"

namespace scripted {

namespace {

using portable::host_event;

host_event event_of(host_event::kind type, portable::native_window w) {
  host_event event;
  event.type = type;
  event.window = w;
  return event;
}

host_event key_event(portable::native_window w, key_press key, bool down) {
  host_event event = event_of(host_event::kind::key, w);
  event.key = {key.virtual_key, key.scan_code, key.extended, down, key.repeat, key.alt, key.locks};
  return event;
}

host_event mouse_event(host_event::kind type, portable::native_window w, std::int32_t x, std::int32_t y) {
  host_event event = event_of(type, w);
  event.mouse.x = x;
  event.mouse.y = y;
  return event;
}

host_event placement_event(host_event::kind type, portable::native_window w, std::int32_t a, std::int32_t b) {
  host_event event = event_of(type, w);
  if (type == host_event::kind::resized) {
    event.placement.width = a;
    event.placement.height = b;
  } else {
    event.placement.x = a;
    event.placement.y = b;
  }
  return event;
}

}  // namespace

host_event key_down(portable::native_window w, key_press key) { return key_event(w, key, true); }
host_event key_up(portable::native_window w, key_press key) { return key_event(w, key, false); }

host_event typed(portable::native_window w, std::u16string text) {
  host_event event = event_of(host_event::kind::text, w);
  event.text = std::move(text);
  return event;
}

host_event mouse_move(portable::native_window w, std::int32_t x, std::int32_t y) {
  return mouse_event(host_event::kind::mouse_move, w, x, y);
}

host_event button(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t which, bool down) {
  host_event event = mouse_event(host_event::kind::button, w, x, y);
  event.mouse.button = which;
  event.mouse.down = down;
  return event;
}

host_event wheel(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t delta) {
  host_event event = mouse_event(host_event::kind::wheel, w, x, y);
  event.mouse.wheel_delta = delta;
  return event;
}

host_event resized(portable::native_window w, std::int32_t width, std::int32_t height) {
  return placement_event(host_event::kind::resized, w, width, height);
}

host_event moved(portable::native_window w, std::int32_t x, std::int32_t y) {
  return placement_event(host_event::kind::moved, w, x, y);
}

host_event minimized(portable::native_window w) { return event_of(host_event::kind::minimized, w); }
host_event restored(portable::native_window w) { return event_of(host_event::kind::restored, w); }
host_event exposed(portable::native_window w) { return event_of(host_event::kind::exposed, w); }

namespace {
host* installed = nullptr;  // for the allocation fault, which cannot be told the host
}  // namespace

host::host() {
  portable::install_host(this);
  installed = this;
}

host::~host() {
  portable::install_host(nullptr);
  installed = nullptr;
}

void host::at(std::int64_t t, std::function<void()> action) { schedule.emplace(t, std::move(action)); }

void host::post_quit_at(std::int64_t t) {
  at(t, [] { PostQuitMessage(0); });
}

void host::close_request_at(std::int64_t t, portable::native_window w) {
  event_at(t, event_of(host_event::kind::close_requested, w));
}

void host::event_at(std::int64_t t, const host_event& event) {
  at(t, [this, event] { event_now(event); });
}

void host::event_now(const host_event& event) {
  if (event.window != 0 && event.type == host_event::kind::resized) {
    record(event.window).width = event.placement.width;
    record(event.window).height = event.placement.height;
  } else if (event.window != 0 && event.type == host_event::kind::moved) {
    record(event.window).x = event.placement.x;
    record(event.window).y = event.placement.y;
  }
  events.push_back(event);
}

std::vector<portable::monitor_info> host::default_monitors() {
  return {portable::monitor_info{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, "\\\\.\\DISPLAY1"}};
}

void host::set_cursor_position(std::int32_t x, std::int32_t y) {
  cursor_x = x;
  cursor_y = y;
}

void host::cursor_position(std::int32_t& x, std::int32_t& y) {
  x = cursor_x;
  y = cursor_y;
}

native_window_record& host::record(portable::native_window w) {
  if (w == 0 || w > windows.size()) {
    std::fprintf(stderr, "scripted host: no native window %u\n", w);
    std::abort();
  }
  return windows[w - 1];
}

const native_window_record& host::window(portable::native_window w) const {
  return const_cast<host*>(this)->record(w);
}

std::uint32_t host::pixel(portable::native_window w, std::int32_t x, std::int32_t y) const {
  const native_window_record& r = window(w);
  if (x < 0 || y < 0 || x >= r.screen_width || y >= r.screen_height) return 0;
  return r.screen[static_cast<std::size_t>(y) * r.screen_width + x];
}

std::int64_t host::counter() {
  const std::int64_t value = now_ns;
  now_ns += 1000;
  return value;
}

void host::forget_logs() {
  std::vector<wait_record>().swap(wait_log);
  std::vector<present_record>().swap(present_log);
  std::vector<std::pair<const void*, std::size_t>>().swap(settled_pictures);
}

void host::log_wait(wait_record::kind type, std::int64_t timeout_ms) {
  wait_log.push_back({type, timeout_ms, now_ns});
  if (on_wait) on_wait(wait_log.back());
}

bool host::run_due(std::int64_t until) {
  bool ran = false;
  while (!schedule.empty() && schedule.begin()->first <= until) {
    auto item = schedule.extract(schedule.begin());
    if (item.key() > now_ns) now_ns = item.key();
    item.mapped()();
    ran = true;
  }
  return ran;
}

portable::host::wake host::wait_for_input(std::int64_t timeout_ms) {
  log_wait(wait_record::kind::for_input, timeout_ms);
  if (!events.empty()) return wake::input;
  if (timeout_ms < 0 && schedule.empty()) {
    stalled_flag = true;
    return wake::failed;
  }
  const std::int64_t deadline = now_ns + timeout_ms * 1000000;
  // Stop at the first scheduled item in time: whatever it did may be input.
  if (!schedule.empty() && (timeout_ms < 0 || schedule.begin()->first <= deadline)) {
    run_due(schedule.begin()->first);
    return wake::input;
  }
  now_ns = deadline;
  return wake::timeout;
}

void host::sleep(std::uint32_t ms) {
  log_wait(wait_record::kind::sleep, ms);
  const std::int64_t deadline = now_ns + std::int64_t{ms} * 1000000;
  run_due(deadline);
  now_ns = deadline;
}

bool host::next_event(host_event& event) {
  if (events.empty()) return false;
  event = events.front();
  events.erase(events.begin());
  return true;
}

portable::native_window host::create_window(const portable::window_spec& wanted, std::string& error) {
  if (fail_window_creation) {
    error = "there is no display (a fault the test switched on)";
    return 0;
  }
  native_window_record made;
  made.title = wanted.title_utf8;
  made.framed = wanted.framed;
  if (wanted.icon_rgba) {
    made.icon_width = wanted.icon_width;
    made.icon_height = wanted.icon_height;
  }
  made.position_known = wanted.position_known;
  made.x = wanted.x;
  made.y = wanted.y;
  made.width = wanted.width;
  made.height = wanted.height;
  windows.push_back(made);
  return newest_window();
}

void host::destroy_window(portable::native_window w) {
  record(w).destroyed = true;
  record(w).visible = false;
}

void host::set_title(portable::native_window w, const std::string& title_utf8) {
  record(w).title = title_utf8;
}

void host::show_window(portable::native_window w, bool visible) { record(w).visible = visible; }

void host::place_window(portable::native_window w, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) {
  native_window_record& r = record(w);
  r.x = x;
  r.y = y;
  r.width = width;
  r.height = height;
}

void host::set_full_screen(portable::native_window w, bool full_screen) {
  record(w).full_screen = full_screen;
}

void host::present(portable::native_window w, const std::uint32_t* pixels, std::int32_t width,
                   std::int32_t height, std::int32_t stride, const portable::screen_rect& rect) {
  native_window_record& r = record(w);
  if (r.screen_width != width || r.screen_height != height) {
    r.screen_width = width;
    r.screen_height = height;
    r.screen.assign(static_cast<std::size_t>(width) * height, 0);
  }
  for (std::int32_t y = rect.top; y < rect.bottom; ++y)
    for (std::int32_t x = rect.left; x < rect.right; ++x)
      r.screen[static_cast<std::size_t>(y) * width + x] = pixels[static_cast<std::size_t>(y) * stride + x];
  present_log.push_back({w, rect});
}

bool host::scroll_shown(portable::native_window w, const portable::screen_rect& destination, std::int32_t dx,
                        std::int32_t dy) {
  if (!scrolls_shown) return false;
  native_window_record& r = record(w);
  // The part of the destination whose source lies on the screen too; the rest
  // keeps what it showed. Rows move in place, in the order that reads each one
  // before it is overwritten, as a program scrolls many times a second.
  const std::int32_t left = std::max({destination.left, 0, dx}),
                     right = std::min({destination.right, r.screen_width, r.screen_width + dx}),
                     top = std::max({destination.top, 0, dy}),
                     bottom = std::min({destination.bottom, r.screen_height, r.screen_height + dy});
  if (left >= right || top >= bottom) return true;
  const auto row = [&r](std::int32_t y) {
    return r.screen.data() + static_cast<std::size_t>(y) * r.screen_width;
  };
  const auto move_row = [&](std::int32_t y) {
    std::memmove(row(y) + left, row(y - dy) + left - dx, static_cast<std::size_t>(right - left) * 4);
  };
  if (dy > 0)
    for (std::int32_t y = bottom - 1; y >= top; --y) move_row(y);
  else
    for (std::int32_t y = top; y < bottom; ++y) move_row(y);
  return true;
}

std::unique_ptr<portable::audio_capture> host::open_capture(std::int32_t rate, std::int32_t channels,
                                                            std::string& error) {
  return mic.open(rate, channels, error);
}

bool host::message_box(const std::string& title_utf8, const std::string& text_utf8) {
  box_log.push_back({title_utf8, text_utf8});
  if (during_message_box) during_message_box();
  return true;
}

}  // namespace scripted

// Every program linked with the scripted host takes its arrays that may be
// refused from here, so that fail_pixel_allocation can refuse them.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (scripted::installed && scripted::installed->fail_pixel_allocation) return nullptr;
  try {
    return ::operator new[](size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
