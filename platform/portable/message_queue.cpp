#include "platform/portable/message_queue.h"

#include <deque>

#include "platform/portable/host.h"
#include "platform/portable/kernel.h"
#include "platform/portable/window_registry.h"
#include "platform/portable/winmm.h"

namespace portable {
namespace {

struct queued_message {
  MSG msg;
  std::u16string typed_text;
};

struct thread_queue {
  std::deque<queued_message> posted;
  bool quit_pending = false;
  int quit_code = 0;
  // The kinds of input (QS_ bits) that arrived since the thread last looked at
  // its queue; only these end MsgWaitForMultipleObjects.
  UINT changed = 0;
  // The key-down most recently removed from the queue, for TranslateMessage.
  MSG last_key_down{};
  std::u16string last_key_text;
};

thread_queue queue;

// Windows is the only filter value besides null and real windows: -1 asks for
// messages posted to the thread itself.
const HWND thread_messages_only = reinterpret_cast<HWND>(-1);

// Milliseconds on the host's counter. Whole seconds and the rest are converted
// apart: counter * 1000 overflows once a nanosecond counter passes 107 days.
DWORD message_time() {
  host& h = current_host();
  const std::int64_t counter = h.counter(), frequency = h.counter_frequency();
  return static_cast<DWORD>(counter / frequency * 1000 + counter % frequency * 1000 / frequency);
}

void note_posted() { queue.changed |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE; }

bool is_key_down(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool same_message(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam &&
         a.lParam == b.lParam && a.time == b.time;
}

// Turns the host's pending events into messages.
void collect_host_events() {
  host& h = current_host();
  host_event event;
  while (h.next_event(event)) {
    switch (event.type) {
      case host_event::kind::close_requested:
        for (HWND window : all_windows()) post_message(window, WM_CLOSE, 0, 0);
        break;
    }
  }
}

bool filter_is_valid(HWND filter) {
  return !filter || filter == thread_messages_only || procedure_of(filter);
}

bool matches(const MSG& msg, HWND filter, UINT filter_min, UINT filter_max) {
  if (filter == thread_messages_only ? msg.hwnd != nullptr : filter && msg.hwnd != filter)
    return false;
  if (filter_min == 0 && filter_max == 0) return true;
  return msg.message >= filter_min && msg.message <= filter_max;
}

// Posted messages come first, in order; the quit message only once none is left.
// Looking makes what is queued old, as on Windows: QS_ALLPOSTMESSAGE only when
// the whole range was asked for.
bool take_message(LPMSG out, HWND filter, UINT filter_min, UINT filter_max, bool remove) {
  collect_host_events();
  queue.changed &= filter_min == 0 && filter_max == 0 ? ~(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)
                                                      : ~QS_POSTMESSAGE;
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!matches(it->msg, filter, filter_min, filter_max)) continue;
    *out = it->msg;
    if (remove) {
      if (is_key_down(it->msg.message)) {
        queue.last_key_down = it->msg;
        queue.last_key_text = std::move(it->typed_text);
      }
      queue.posted.erase(it);
    }
    return true;
  }
  if (!queue.quit_pending) return false;
  *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quit_code), 0, message_time(), {}};
  if (remove) queue.quit_pending = false;
  return true;
}

}  // namespace

void post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                  std::u16string typed_text) {
  queue.posted.push_back({MSG{window, message, wparam, lparam, message_time(), {}},
                          std::move(typed_text)});
  note_posted();
}

}  // namespace portable

using namespace portable;

BOOL WINAPI PeekMessageW(LPMSG msg, HWND window, UINT filter_min, UINT filter_max, UINT remove) {
  deliver_captured_audio();
  if (!filter_is_valid(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return take_message(msg, window, filter_min, filter_max, (remove & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND window, UINT filter_min, UINT filter_max) {
  deliver_captured_audio();
  if (!filter_is_valid(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  while (!take_message(msg, window, filter_min, filter_max, true)) {
    if (current_host().wait_for_input(-1) == host::wake::failed) {
      SetLastError(ERROR_GEN_FAILURE);
      return -1;
    }
  }
  return msg->message != WM_QUIT;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (same_message(*msg, queue.last_key_down)) {
        const UINT char_message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        for (char16_t unit : queue.last_key_text) post_message(msg->hwnd, char_message, unit, msg->lParam);
        queue.last_key_text.clear();
      }
      return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
  if (!msg->hwnd) return 0;  // thread messages have no window procedure
  WNDPROC procedure = procedure_of(msg->hwnd);
  if (!procedure) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

VOID WINAPI PostQuitMessage(int exit_code) {
  queue.quit_pending = true;
  queue.quit_code = exit_code;
  note_posted();
}

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window && !procedure_of(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  post_message(window, message, wparam, lparam);
  return TRUE;
}

LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return 0;
}

// As on Windows, only new input ends the wait: a message that PeekMessageW has
// already reported does not, though it is still queued. Windows documents that
// the wait itself also makes input old; Wine does not do so, and here too a
// second wait ends at once, since waking is the safer error.
DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all,
                                       DWORD milliseconds, DWORD wake_mask) {
  deliver_captured_audio();
  if (count > 0) {
    SetLastError(count >= MAXIMUM_WAIT_OBJECTS ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  if (queue.changed & wake_mask) return WAIT_OBJECT_0;
  const std::int64_t timeout = milliseconds == INFINITE ? std::int64_t{-1} : std::int64_t{milliseconds};
  switch (current_host().wait_for_input(timeout)) {
    case host::wake::input:
      return WAIT_OBJECT_0;
    case host::wake::timeout:
      return WAIT_TIMEOUT;
    case host::wake::failed:
      break;
  }
  SetLastError(ERROR_GEN_FAILURE);
  return WAIT_FAILED;
}
