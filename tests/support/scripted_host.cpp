#include "tests/support/scripted_host.h"

#include "platform/win32.h"

namespace scripted {

host::host() {
  portable::install_host(this);
  MSG leftover;
  while (PeekMessageW(&leftover, nullptr, 0, 0, PM_REMOVE)) {
  }
}

host::~host() { portable::install_host(nullptr); }

void host::at(std::int64_t t, std::function<void()> action) { schedule.emplace(t, std::move(action)); }

void host::post_quit_at(std::int64_t t) {
  at(t, [] { PostQuitMessage(0); });
}

void host::close_request_at(std::int64_t t) {
  at(t, [this] { events.push_back({portable::host_event::kind::close_requested}); });
}

std::int64_t host::counter() {
  const std::int64_t value = now_ns;
  now_ns += 1000;
  return value;
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

bool host::next_event(portable::host_event& event) {
  if (events.empty()) return false;
  event = events.front();
  events.erase(events.begin());
  return true;
}

// Windows, monitors and audio arrive with the window and audio work.
portable::native_window host::create_window(const portable::window_spec&, std::string& error) {
  error = "the scripted host cannot make windows yet";
  return 0;
}

std::vector<portable::monitor_info> host::monitors() {
  return {portable::monitor_info{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, "\\\\.\\DISPLAY1"}};
}

std::unique_ptr<portable::audio_capture> host::open_capture(std::int32_t rate, std::int32_t channels,
                                                          std::string& error) {
  return mic.open(rate, channels, error);
}

bool host::message_box(const std::string& title_utf8, const std::string& text_utf8) {
  box_log.push_back({title_utf8, text_utf8});
  return true;
}

}  // namespace scripted
