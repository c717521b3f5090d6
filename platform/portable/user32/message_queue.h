// The thread's message queue behind PeekMessageW, GetMessageW and friends.
// Posted messages and the host's input wait in separate queues, as on Windows,
// where input is retrieved after everything posted.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "platform/portable/user32/user.h"

namespace portable {

struct queued_message {
  MSG msg;
  // For a key-down: the text its key typed, which TranslateMessage turns into
  // character messages once the key-down has been retrieved.
  std::u16string typed_text;
  // For a key message from the host: the lock keys that are on after it.
  std::optional<std::uint32_t> locks;
};

struct thread_queue {
  std::deque<queued_message> posted;
  std::deque<queued_message> input;
  bool quit_pending = false;
  int quit_code = 0;
  // The kinds of input (QS_ bits) that arrived since the thread last looked at
  // its queue; only these end MsgWaitForMultipleObjects.
  UINT changed = 0;
  // The key-down most recently removed from the queue, for TranslateMessage.
  MSG last_key_down{};
  std::u16string last_key_text;
};

// Posts a message. A key-down may carry the text its key typed.
void post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, std::u16string typed_text = {});
// Queues input from the host. Retrieving it updates GetKeyState's state.
void queue_input(queued_message message);
// The last input message queued, to merge with (mouse moves) or attach to (text).
queued_message* last_input();
// Messages to `window` leave both queues (it is being destroyed).
void drop_messages_of(HWND window);
// The time stamp of a message made now, in milliseconds.
DWORD message_time();

}  // namespace portable
