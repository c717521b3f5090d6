// The thread's message queue behind PeekMessageW, GetMessageW and friends.
#pragma once

#include <string>

#include "platform/portable/user.h"

namespace portable {

// Posts a message. A key-down may carry the text its key typed: TranslateMessage
// turns that text into character messages once the key-down has been retrieved.
void post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                  std::u16string typed_text = {});

}  // namespace portable
