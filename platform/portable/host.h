// The seam between the portable Win32 subset and the machine it runs on.
//
// A host supplies:
//   - a monotonic counter and its frequency (QueryPerformanceCounter);
//   - blocking until input arrives or a timeout passes (MsgWaitForMultipleObjects)
//     and plain sleeping (Sleep);
//   - input events, drained by the message queue;
//   - the cursor's visibility (ShowCursor);
//   - a modal message box.
// The SDL2 host (sdl/) is the real one; the scripted host in tests/support/ runs
// the program on a virtual clock. Everything is called on the program's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace portable {

struct host_event {
  enum class kind {
    close_requested,  // the user or the system asked the application to close
  };
  kind type;
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

  virtual void set_cursor_visible(bool visible) = 0;

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
