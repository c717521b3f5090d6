#include "platform/portable/user32/message_queue.h"

#include <algorithm>

#include "platform/portable/kernel32/kernel.h"
#include "platform/portable/seam/host.h"
#include "platform/portable/seam/process_state.h"
#include "platform/portable/user32/host_events.h"
#include "platform/portable/user32/update_region.h"
#include "platform/portable/user32/user_state.h"
#include "platform/portable/user32/window_registry.h"

namespace portable {
namespace {

// Windows' one filter value besides null and real windows: -1 asks for messages
// posted to the thread itself.
const HWND thread_messages_only = reinterpret_cast<HWND>(-1);

thread_queue& queue() { return user_process().queue; }

// The kind of input a message is, as the QS_ bits of a wake mask name it.
UINT input_kind(UINT message) {
  if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR) return QS_KEY;
  return message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
}

bool is_key_down(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool same_message(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
         a.time == b.time;
}

// Entering the platform to read or wait for messages: the host's pending
// events become messages, then whatever else is due is done (captured audio
// delivered, what was drawn presented).
void pump() {
  host& h = current_host();
  host_event event;
  while (h.next_event(event)) deliver_host_event(event);
  enter_platform();
}

bool filter_is_valid(HWND filter) {
  return !filter || filter == thread_messages_only || user_process().windows.find(filter);
}

bool window_matches(HWND hwnd, HWND filter) {
  return filter == thread_messages_only ? hwnd == nullptr : !filter || hwnd == filter;
}

bool in_range(UINT message, UINT filter_min, UINT filter_max) {
  return (filter_min == 0 && filter_max == 0) || (message >= filter_min && message <= filter_max);
}

// Finds the first message of `messages` that matches, and removes it if asked.
bool take_from(std::deque<queued_message>& messages, LPMSG out, HWND filter, UINT filter_min, UINT filter_max,
               bool remove, bool is_input) {
  for (auto it = messages.begin(); it != messages.end(); ++it) {
    if (!window_matches(it->msg.hwnd, filter) || !in_range(it->msg.message, filter_min, filter_max)) continue;
    *out = it->msg;
    if (remove) {
      if (is_key_down(it->msg.message)) {
        queue().last_key_down = it->msg;
        queue().last_key_text = std::move(it->typed_text);
      }
      if (is_input) user_process().keys.apply(it->msg, it->locks);
      messages.erase(it);
    }
    return true;
  }
  return false;
}

// In Windows' order: posted messages; the quit message, which ignores the
// filter; input; then a paint, which stays until its window is validated.
// Looking makes what is queued old, as on Windows: QS_ALLPOSTMESSAGE only when
// the whole range was asked for.
bool take_message(LPMSG out, HWND filter, UINT filter_min, UINT filter_max, bool remove) {
  const bool whole_range = filter_min == 0 && filter_max == 0;
  queue().changed &= whole_range ? ~(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE | QS_INPUT) : ~QS_POSTMESSAGE;
  if (take_from(queue().posted, out, filter, filter_min, filter_max, remove, false)) return true;
  if (queue().quit_pending) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue().quit_code), 0, message_time(), {}};
    if (remove) queue().quit_pending = false;
    return true;
  }
  if (take_from(queue().input, out, filter, filter_min, filter_max, remove, true)) return true;
  if (filter == thread_messages_only || !in_range(WM_PAINT, filter_min, filter_max)) return false;
  const HWND to_paint = window_to_paint(filter);
  if (!to_paint) return false;
  *out = MSG{to_paint, WM_PAINT, 0, 0, message_time(), {}};
  return true;
}

// Whether anything of the kinds in `wake_mask` arrived since the queue was last
// looked at. A window waiting to be painted counts whenever it waits: painting
// is a state, not an arrival.
bool has_new_message(DWORD wake_mask) {
  return (queue().changed & wake_mask) || ((wake_mask & QS_PAINT) && window_to_paint(nullptr));
}

void drop_from(std::deque<queued_message>& messages, HWND window) {
  messages.erase(std::remove_if(messages.begin(), messages.end(),
                                [window](const queued_message& m) { return m.msg.hwnd == window; }),
                 messages.end());
}

}  // namespace

// Milliseconds on the host's counter. Whole seconds and the rest are converted
// apart: counter * 1000 overflows once a nanosecond counter passes 107 days.
DWORD message_time() {
  host& h = current_host();
  const std::int64_t counter = h.counter(), frequency = h.counter_frequency();
  return static_cast<DWORD>(counter / frequency * 1000 + counter % frequency * 1000 / frequency);
}

void post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, std::u16string typed_text) {
  queue().posted.push_back(
      {MSG{window, message, wparam, lparam, message_time(), {}}, std::move(typed_text), std::nullopt});
  queue().changed |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
}

void queue_input(queued_message message) {
  queue().changed |= input_kind(message.msg.message);
  queue().input.push_back(std::move(message));
}

queued_message* last_input() { return queue().input.empty() ? nullptr : &queue().input.back(); }

void drop_messages_of(HWND window) {
  drop_from(queue().posted, window);
  drop_from(queue().input, window);
}

}  // namespace portable

using namespace portable;

BOOL WINAPI PeekMessageW(LPMSG msg, HWND window, UINT filter_min, UINT filter_max, UINT remove) {
  pump();
  if (!filter_is_valid(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return take_message(msg, window, filter_min, filter_max, (remove & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND window, UINT filter_min, UINT filter_max) {
  pump();
  if (!filter_is_valid(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  while (!take_message(msg, window, filter_min, filter_max, true)) {
    if (current_host().wait_for_input(-1) == host::wake::failed) {
      SetLastError(ERROR_GEN_FAILURE);
      return -1;
    }
    pump();
  }
  return msg->message != WM_QUIT;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (same_message(*msg, queue().last_key_down)) {
        const UINT char_message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        for (char16_t unit : queue().last_key_text) post_message(msg->hwnd, char_message, unit, msg->lParam);
        queue().last_key_text.clear();
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
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC procedure = procedure_of(window);
  if (!procedure) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return procedure(window, message, wparam, lparam);
}

VOID WINAPI PostQuitMessage(int exit_code) {
  queue().quit_pending = true;
  queue().quit_code = exit_code;
  queue().changed |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
}

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window && !procedure_of(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  post_message(window, message, wparam, lparam);
  return TRUE;
}

// As on Windows, only new input ends the wait: a message that PeekMessageW has
// already reported does not, though it is still queued. Windows documents that
// the wait itself also makes input old; Wine does not do so, and here too a
// second wait ends at once, since waking is the safer error.
DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL wait_all, DWORD milliseconds,
                                       DWORD wake_mask) {
  pump();
  if (count > 0) {
    SetLastError(count >= MAXIMUM_WAIT_OBJECTS ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  if (has_new_message(wake_mask)) return WAIT_OBJECT_0;
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
